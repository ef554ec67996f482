// A plug-in for the tests: appends each call, one line of tab-separated fields, to the file
// named by GALEWARDEN_PLUGIN_LOG.
#include <cstdio>
#include <cstdlib>

extern "C" void RefreshA(int order, const char* id, const char* publishTime, const char* area,
                         const char* category, const char* content, const char* path) {
    const char* log = std::getenv("GALEWARDEN_PLUGIN_LOG");
    if (log == nullptr) {
        return;
    }
    if (FILE* out = std::fopen(log, "a")) {
        std::fprintf(out, "%d\t%s\t%s\t%s\t%s\t%s\t%s\n", order, id, publishTime, area, category,
                     content, path);
        std::fclose(out);
    }
}

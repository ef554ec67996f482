# What the programs link; the test and benchmark frameworks only when those are built, so that a
# user's build needs no more than the run-time libraries' development packages.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(CURL REQUIRED)
find_package(OpenSSL REQUIRED)
find_package(PNG REQUIRED)
find_package(RapidJSON REQUIRED)
# The GB18030 tables are read from the build system's iconv (part of the C library on glibc).
find_package(Iconv REQUIRED)
# The warning history.
find_package(SQLite3 REQUIRED)
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET GLOBAL cpp-httplib)
find_package(Qt6 REQUIRED COMPONENTS Widgets Network DBus)
if(GALEWARDEN_TESTS)
    find_package(GTest REQUIRED)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    include(GoogleTest)
endif()
if(GALEWARDEN_BENCH)
    find_package(benchmark REQUIRED)
endif()

# Precompiled headers: most of a window's or a test's compile time is spent parsing Qt,
# GoogleTest and cpp-httplib. One header set per kind of target, compiled once and reused by
# every target of that kind (their compile flags match).
option(GALEWARDEN_PCH "Precompile the Qt, GoogleTest and cpp-httplib headers" ON)
# Each test executable's files compiled as a few larger ones: its headers parsed and its
# templates instantiated once, not once a file.
option(GALEWARDEN_UNITY_TESTS "Compile each test executable's files together" OFF)

set(GALEWARDEN_STD_HEADERS
    <algorithm> <array> <cstdint> <filesystem> <functional> <map> <memory> <optional> <string>
    <string_view> <utility> <vector>)
set(GALEWARDEN_QT_HEADERS
    <QApplication> <QCheckBox> <QComboBox> <QDialog> <QGridLayout> <QGroupBox> <QHBoxLayout>
    <QImage> <QLabel> <QLineEdit> <QObject> <QPainter> <QPixmap> <QPointer> <QPushButton>
    <QScreen> <QString> <QTimer> <QVBoxLayout> <QWidget>)

# galewarden_precompile(TARGET qt|gtest|qttest|httplib): TARGET uses the shared header set of
# its kind; the first target of a kind compiles it.
function(galewarden_precompile target kind)
    if(NOT GALEWARDEN_PCH)
        return()
    endif()
    get_property(owner GLOBAL PROPERTY GALEWARDEN_PCH_OWNER_${kind})
    if(owner)
        target_precompile_headers(${target} REUSE_FROM ${owner})
        return()
    endif()
    if(kind STREQUAL "qt")
        set(headers ${GALEWARDEN_QT_HEADERS})
    elseif(kind STREQUAL "gtest")
        set(headers <gtest/gtest.h> <gmock/gmock.h>)
    elseif(kind STREQUAL "qttest")
        # Qt Test defines each executable's build folder, so these cannot be shared.
        target_precompile_headers(${target} PRIVATE
            ${GALEWARDEN_STD_HEADERS} <QTest> <QSignalSpy> ${GALEWARDEN_QT_HEADERS})
        return()
    elseif(kind STREQUAL "httplib")
        set(headers <httplib.h>)
    else()
        message(FATAL_ERROR "galewarden_precompile: unknown kind ${kind}")
    endif()
    target_precompile_headers(${target} PRIVATE ${GALEWARDEN_STD_HEADERS} ${headers})
    set_property(GLOBAL PROPERTY GALEWARDEN_PCH_OWNER_${kind} ${target})
endfunction()

# A header set that does not fit its user is silently parsed again; make that visible.
if(GALEWARDEN_PCH AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(galewarden_common INTERFACE -Winvalid-pch)
    # GCC 12 loses track of the library's headers being system headers when they come from a
    # precompiled header, and so reports the out-of-bounds copies it imagines inside inlined
    # std::string code (the bugs named in CommonConfig.cmake).
    if(CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12 AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(galewarden_common INTERFACE
            -Wno-array-bounds -Wno-stringop-overread -Wno-stringop-overflow)
    endif()
endif()

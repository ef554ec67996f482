# `cmake --install`: the programs, their read-only files, and the desktop integration of an
# installed copy. The programs look for Guidance.html, Districts.json and Warning.wav in
# <executable dir>/../share/galewarden, so bin and share must stay siblings.
include(GNUInstallDirs)
if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
    message(WARNING "An installed Galewarden finds its files only with CMAKE_INSTALL_BINDIR=bin "
        "and CMAKE_INSTALL_DATADIR=share")
endif()
# A restrictive umask at build time must not reach the package's directories.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS galewarden galewarden-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/Guidance.html resources/districts/Districts.json
    resources/sounds/Warning.wav DESTINATION ${CMAKE_INSTALL_DATADIR}/galewarden)

install(FILES packaging/linux/${GALEWARDEN_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/linux/${GALEWARDEN_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${GALEWARDEN_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES resources/icons/${GALEWARDEN_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages and the changelog are installed compressed, without a time stamp (gzip -n), so
# that two builds of one source give the same package.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(GALEWARDEN_PACKAGE_DOC_DIR ${CMAKE_BINARY_DIR}/package-doc)
set(compressed)
foreach(page galewarden.1 galewarden-cli.1)
    configure_file(packaging/man/${page} ${GALEWARDEN_PACKAGE_DOC_DIR}/${page} @ONLY)
    list(APPEND compressed ${page})
endforeach()
configure_file(packaging/debian/changelog ${GALEWARDEN_PACKAGE_DOC_DIR}/changelog COPYONLY)
list(APPEND compressed changelog)
set(compressed_files)
foreach(file ${compressed})
    set(output ${GALEWARDEN_PACKAGE_DOC_DIR}/${file}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${GZIP_EXECUTABLE} -9nfk ${file}
        WORKING_DIRECTORY ${GALEWARDEN_PACKAGE_DOC_DIR}
        DEPENDS ${GALEWARDEN_PACKAGE_DOC_DIR}/${file})
    list(APPEND compressed_files ${output})
endforeach()
add_custom_target(galewarden_compressed_docs ALL DEPENDS ${compressed_files})

install(FILES ${GALEWARDEN_PACKAGE_DOC_DIR}/galewarden.1.gz
    ${GALEWARDEN_PACKAGE_DOC_DIR}/galewarden-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# GNUInstallDirs' DOCDIR would take the project's capitalised name; Debian wants the package's.
install(FILES packaging/debian/copyright ${GALEWARDEN_PACKAGE_DOC_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/galewarden)

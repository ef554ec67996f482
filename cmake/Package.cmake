# `cpack`: the Debian package galewarden_<version>_<arch>.deb of what cmake/Install.cmake
# installs. Its Depends come from dpkg-shlibdeps reading the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME galewarden)
set(CPACK_PACKAGE_VENDOR "Galewarden developers")
set(CPACK_PACKAGE_CONTACT "Galewarden developers <developers@galewarden.cn>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "monitor for Chinese meteorological disaster warning signals")
# Lines of the extended description stay within 80 columns, as dpkg shows them.
set(CPACK_PACKAGE_DESCRIPTION
"Galewarden watches the warning signals of the Chinese weather services
(typhoon, rainstorm, heat, gale and the others, in blue, yellow, orange and
red) for the districts you choose. It lives in the notification area: a
small window steps through the pictures of the signals in force, the tray
icon takes the most severe colour and announces each change, and a details
window shows the full texts with their defence guidance.

It reads the national warning map of the China Meteorological
Administration, the Central Meteorological Observatory's list, the national
release centre or a vendor service. The galewarden-cli command runs the same
engine without windows, for scripts.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.galewarden.cn/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins (xcb) at run time, out of dpkg-shlibdeps' sight, and so its
# Chinese texts for standard buttons and dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
# The windows' texts are Chinese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei")
# Control files owned by root with the modes dpkg expects, whatever the build's umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)

# The Debian package: `cpack -G DEB` in the build folder, or `make package`.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessivo)
set(CPACK_PACKAGE_VENDOR "Marrek Ltd")
set(CPACK_PACKAGE_CONTACT "Marrek Ltd <support@marrek-ltd.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.marrek-ltd.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "MPEG-1 and MPEG-2 video analyser")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tessivo analyses video elementary streams, MPEG-1 system streams and MPEG-2
program streams (DVD VOB files). It records every picture (type, coded size,
slice quantisers), every group of pictures and every second of the stream,
and draws the bitrate and quantiser of each second as curves.
.
The package holds the desktop application tessivo and the command-line
program tessivo-cli, which analyses, exports tables and JSON, patches
sequence headers and cuts elementary streams without a display.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binaries; the window also needs Qt's platform plugins and the
# condensed font its readouts are laid out for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, fonts-dejavu-extra")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_STRIP_FILES ON)
include(CPack)

# `cpack -G DEB` in a Release build folder: vrx5800_<version>_<arch>.deb.

set(CPACK_PACKAGE_NAME vrx5800)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VRX5800 programmer developers")
set(CPACK_PACKAGE_CONTACT ${VRX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programmer for VRX-5800 hand-held UHF radios")
# CPack puts the summary on the Description line and indents these lines itself; the
# empty line becomes the paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads the 199 memory channels and the radio-wide settings of a VRX-5800
hand-held radio over its programming cable, edits them in a grid, keeps
them in channel files and writes them back into the radio. Chinese and
English.

The package holds the programmer vrx5800, the command-line tool vrxctl
(with a simulated radio for trying things out without hardware) and a
udev rule that gives the logged-in user the serial ports of common
programming cables and keeps ModemManager away from them.")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Depends is computed from the executables' libraries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts make the window look the same everywhere; Qt's translations put its
# standard dialogs into Chinese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-dejavu-core, fonts-liberation, fonts-wqy-microhei, qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)

include(CPack)

# `cpack -G DEB` in the build folder makes examora_<version>_amd64.deb for /usr, with its
# library dependencies found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME examora)
set(CPACK_PACKAGE_VENDOR "Examora developers")
set(CPACK_PACKAGE_CONTACT "Examora developers <dev@examora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "study aid for the US amateur radio licence exams")
set(CPACK_PACKAGE_DESCRIPTION
    "Examora shows one multiple-choice question at a time from the Technician,\n"
    "General or Extra question pool, says at once whether the answer is right,\n"
    "and keeps running totals and a history of the questions missed most often.\n"
    "A chart shows which band segments each licence class may use. poolconv\n"
    "converts newer NCVEC question pools.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# The desktop entry is written at install time from the prefix: DESTDIR keeps the staging
# folder out of it.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${EXAMORA_MAKER_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see, since nothing links it: the Liberation faces, the metric
# twins of the design's fonts that the study window is laid out for, and the SQLite driver
# that Qt loads as a plugin for the progress store.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-liberation2, libqt6sql6-sqlite")

include(CPack)

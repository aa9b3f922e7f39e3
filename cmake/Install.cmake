# Installs Examora like desktop software, for a per-user prefix (~/.local, the default) or a
# system one (/usr, the package) alike:
#   bin/examora, bin/poolconv                        the program and the pool converter
#   lib/examora/examora_sound.so                     the sound module (view/qt/qt_sound_module.h)
#   share/examora/                                   pools, band plan, sounds and figures
#   share/applications/examora.desktop               the desktop entry
#   share/icons/hicolor/{scalable,NxN}/apps/         the icon as SVG and PNG
#   share/metainfo/<id>.metainfo.xml                the AppStream entry (id below)
#   share/man/man1/{examora,poolconv}.1.gz           the manual pages
#   share/doc/examora/                               README.md, copyright, change log
# The program finds share/examora relative to itself (app/data_folders.h). A user's own
# pools live in ~/.local/share/examora/pools, which no install ever writes.
set(EXAMORA_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/examora)


install(TARGETS examora poolconv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program looks for it at this place relative to itself (view/qt/CMakeLists.txt).
install(TARGETS examora_sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/examora)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${EXAMORA_DATA_INSTALL_DIR})

set(icons_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/app/icons/examora.svg DESTINATION ${icons_dir}/scalable/apps)
foreach(size ${EXAMORA_ICON_SIZES})
    install(FILES ${PROJECT_BINARY_DIR}/app/icons/${size}/examora.png DESTINATION ${icons_dir}/${size}x${size}/apps)
endforeach()

configure_file(${PROJECT_SOURCE_DIR}/packaging/examora.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/packaging/${EXAMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${EXAMORA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual pages and the change log, compressed without a time stamp so that every build
# gives the same bytes.
set(gzipped)
foreach(file poolconv.1 examora.1 changelog)
    set(gz ${PROJECT_BINARY_DIR}/packaging/${file}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/${file} > ${gz}
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${file}
        COMMENT "Compressing ${file}")
    list(APPEND gzipped ${gz})
endforeach()
add_custom_target(gzipped_docs ALL DEPENDS ${gzipped})
install(FILES ${PROJECT_BINARY_DIR}/packaging/poolconv.1.gz ${PROJECT_BINARY_DIR}/packaging/examora.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/examora)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_SOURCE_DIR}/README.md
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/examora)

# The desktop entry names the program by its full path, known only at install time: a
# per-user bin folder is not always on the desktop's PATH. A package installs under DESTDIR,
# which is not part of the path the entry names.
install(CODE "
    set(EXAMORA_EXEC \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/examora\")
    configure_file(\"${PROJECT_SOURCE_DIR}/packaging/examora.desktop.in\"
                   \"${PROJECT_BINARY_DIR}/packaging/examora.desktop\" @ONLY)
    file(INSTALL \"${PROJECT_BINARY_DIR}/packaging/examora.desktop\"
         DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
")

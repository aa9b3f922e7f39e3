# Installs Examora like desktop software, by default for the current user alone:
#   <prefix>/share/examora/   the program, poolconv, the pools, sounds, figures and band plan;
#                             the program keeps test.txt here, so the folder must be the user's
#   <prefix>/bin/examora      a launcher that starts the program in that folder
#   <prefix>/bin/poolconv     a link to the pool converter
#   <prefix>/share/applications/examora.desktop, with Path= set to the program folder
#   <prefix>/share/icons/hicolor/256x256/apps/examora.png
# The default prefix is ~/.local; `cmake --install <build> --prefix <dir>` picks another.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT AND DEFINED ENV{HOME})
    set(CMAKE_INSTALL_PREFIX "$ENV{HOME}/.local" CACHE PATH "Install prefix (per user by default)" FORCE)
endif()

set(EXAMORA_INSTALL_DIR share/examora)

if(TARGET examora)
    install(TARGETS examora RUNTIME DESTINATION ${EXAMORA_INSTALL_DIR})
endif()
if(TARGET poolconv)
    install(TARGETS poolconv RUNTIME DESTINATION ${EXAMORA_INSTALL_DIR})
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${EXAMORA_INSTALL_DIR})
install(PROGRAMS ${PROJECT_SOURCE_DIR}/packaging/examora-launcher.sh DESTINATION bin RENAME examora)

# OPTIONAL: checked when installing, so an icon added after configuring is still picked up.
install(FILES ${PROJECT_SOURCE_DIR}/app/icons/examora.png DESTINATION share/icons/hicolor/256x256/apps OPTIONAL)

# The desktop entry and the poolconv link need the real prefix, known only at install time.
set(EXAMORA_DESKTOP_TEMPLATE ${PROJECT_SOURCE_DIR}/packaging/examora.desktop.in)
set(EXAMORA_DESKTOP_STAGED ${CMAKE_BINARY_DIR}/packaging/examora.desktop)
install(CODE "
    set(EXAMORA_PROGRAM_DIR \"\${CMAKE_INSTALL_PREFIX}/${EXAMORA_INSTALL_DIR}\")
    configure_file(\"${EXAMORA_DESKTOP_TEMPLATE}\" \"${EXAMORA_DESKTOP_STAGED}\" @ONLY)
    file(INSTALL \"${EXAMORA_DESKTOP_STAGED}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/applications\")
")
if(TARGET poolconv)
    install(CODE "
        set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/poolconv\")
        message(STATUS \"Installing: \${link}\")
        file(REMOVE \"\${link}\")
        file(CREATE_LINK ../${EXAMORA_INSTALL_DIR}/poolconv \"\${link}\" SYMBOLIC)
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${CMAKE_INSTALL_PREFIX}/bin/poolconv\")
    ")
endif()

# Installs the build into PREFIX and checks the tree: the program and poolconv in bin/, the
# data, desktop entry, icons, AppStream entry and manual page under share/; the validators
# pass; and the installed program, started from another folder, reads its installed pools
# and keeps "test.txt" in the user's configuration folder.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(expected
    bin/examora bin/poolconv
    share/examora/questech.txt share/examora/quesgen.txt share/examora/quesextra.txt
    share/examora/questech.toc share/examora/BandPlan.txt share/examora/Correct.wav share/examora/Try.wav share/examora/figures/t-1.png
    share/applications/examora.desktop
    share/icons/hicolor/scalable/apps/examora.svg
    share/icons/hicolor/16x16/apps/examora.png share/icons/hicolor/256x256/apps/examora.png
    share/metainfo/${APP_ID}.metainfo.xml
    share/man/man1/poolconv.1.gz share/man/man1/examora.1.gz share/doc/examora/changelog.gz
    share/doc/examora/copyright share/doc/examora/README.md)
foreach(path ${expected})
    if(NOT EXISTS ${PREFIX}/${path})
        message(FATAL_ERROR "missing from the installed tree: ${path}")
    endif()
endforeach()
# The sound module beside the program's own library folder, and Qt Multimedia needed by it
# alone: the program starts without loading it.
file(GLOB_RECURSE sound_module ${PREFIX}/lib*/examora_sound.so)
if(NOT sound_module MATCHES "/examora/examora_sound.so$")
    message(FATAL_ERROR "the sound module is not installed in lib*/examora/: '${sound_module}'")
endif()
find_program(OBJDUMP objdump)
if(OBJDUMP)
    execute_process(COMMAND ${OBJDUMP} -p ${PREFIX}/bin/examora OUTPUT_VARIABLE needed)
    if(needed MATCHES "Multimedia")
        message(FATAL_ERROR "the program links Qt Multimedia, which only the sound module should")
    endif()
endif()
foreach(stale share/examora/examora share/examora/poolconv share/examora/test.txt)
    if(EXISTS ${PREFIX}/${stale})
        message(FATAL_ERROR "should not be installed: ${stale}")
    endif()
endforeach()

file(STRINGS ${PREFIX}/share/applications/examora.desktop exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=${PREFIX}/bin/examora")
    message(FATAL_ERROR "the desktop entry starts '${exec}', not ${PREFIX}/bin/examora")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
foreach(check "${DESKTOP_FILE_VALIDATE};${PREFIX}/share/applications/examora.desktop"
              "${APPSTREAMCLI};validate;--no-net;--pedantic;${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml")
    list(GET check 0 tool)
    if(tool)
        execute_process(COMMAND ${check} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
        # desktop-file-validate prints only findings; appstreamcli prints each as a line "E: ", "W: ", "I: " or "P: ". The placeholder maker address
        # uses the reserved top-level domain .example, which appstreamcli cannot know to be a
        # domain; a real address leaves nothing to report.
        string(REGEX MATCHALL "(^|\n)[EWIP]: [^\n]*" findings "${out}")
        if(APP_ID MATCHES "^example\\.")
            list(FILTER findings EXCLUDE REGEX "cid-maybe-not-rdns")
        endif()
        string(STRIP "${out}" out)
        if(NOT rc EQUAL 0 OR findings OR (tool MATCHES "desktop-file-validate" AND out))
            message(FATAL_ERROR "${check}:\n${out}")
        endif()
    else()
        message(STATUS "not found, so not run: ${check}")
    endif()
endforeach()

# The installed program, started in an empty folder, loads the installed Technician pool
# and writes "test.txt" into the user's configuration folder; it is stopped after a while.
set(home ${PREFIX}/../home)
file(REMOVE_RECURSE ${home})
file(MAKE_DIRECTORY ${home}/elsewhere)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=${home}/config
            XDG_DATA_HOME=${home}/data ${PREFIX}/bin/examora
    WORKING_DIRECTORY ${home}/elsewhere TIMEOUT 5 RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc MATCHES "timeout")
    message(FATAL_ERROR "the installed program ended by itself: ${rc}")
endif()
file(READ ${home}/config/examora/test.txt remembered HEX)
if(NOT remembered STREQUAL "2254220d0a")
    message(FATAL_ERROR "test.txt in the configuration folder holds ${remembered}, not \"T\"")
endif()
file(GLOB left ${home}/elsewhere/* ${PREFIX}/bin/test.txt)
if(left)
    message(FATAL_ERROR "files written outside the user's configuration folder: ${left}")
endif()

# Runs vosk-host the way tools/run.sh does, on a copy of the sample working
# folder, and checks what a user would see afterwards.
#   cmake -DHOST=<vosk-host> -DSAMPLE=<sample folder> -DOUT=<scratch folder> -P check-host.cmake
file(REMOVE_RECURSE "${OUT}")
file(COPY "${SAMPLE}/" DESTINATION "${OUT}/workdir")
# With no remembered setup the window starts from the defaults and, when the
# host closes it on the way out, remembers that no setup was selected.
file(REMOVE "${OUT}/workdir/cars/vosk/setup/conf.ini")

execute_process(COMMAND "${HOST}" --workdir "${OUT}/workdir" --screenshot "${OUT}/pictures"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "vosk-host --screenshot failed (${status}): ${errors}")
endif()
file(GLOB pages "${OUT}/pictures/page-*.png")
list(LENGTH pages count)
if(NOT count EQUAL 11 OR NOT EXISTS "${OUT}/pictures/frame.png")
    message(FATAL_ERROR "expected 11 page pictures and frame.png, found ${count}: ${pages}")
endif()
file(READ "${OUT}/workdir/cars/vosk/setup/conf.ini" remembered HEX)
if(NOT remembered STREQUAL "5b41435449564553455455505d0d0a4e414d453d0d0a0d0a0d0a")
    message(FATAL_ERROR "the setup window did not close before the host quit: ${remembered}")
endif()

execute_process(COMMAND "${HOST}" --workdir "${OUT}/workdir" --library "${OUT}/missing.so"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 1 OR NOT errors MATCHES "missing\\.so")
    message(FATAL_ERROR "a missing library gave status ${status} and: ${errors}")
endif()

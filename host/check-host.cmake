# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
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

# On a 1920 x 1080 screen scaled twice over the frame still fits, scrolling
# its window area instead.
file(WRITE "${OUT}/screen.json" [=[{"screens": [{"name": "full-hd", "x": 0, "y": 0,
    "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]}]=])
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_SCALE_FACTOR=2
                        "QT_QPA_PLATFORM=offscreen:configfile=${OUT}/screen.json"
                        "${HOST}" --workdir "${OUT}/workdir" --screenshot "${OUT}/scaled"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
# A PNG gives its width and height as the two 32-bit words from byte 16.
file(READ "${OUT}/scaled/frame.png" size OFFSET 16 LIMIT 8 HEX)
string(SUBSTRING "${size}" 0 8 width)
string(SUBSTRING "${size}" 8 8 height)
math(EXPR width "0x${width}")
math(EXPR height "0x${height}")
if(NOT status EQUAL 0 OR width GREATER 1920 OR height GREATER 1080)
    message(FATAL_ERROR "the frame at twice the scale is ${width} x ${height} (${status}): ${errors}")
endif()

# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# The package's documents, made from the repository's own files:
#   -DWHAT=copyright -DLICENSE=LICENSE -DSPDX=MIT -DNAME=... -DCONTACT=... -DOUT=...
#       the machine-readable copyright file (copyright-format 1.0)
#   -DWHAT=changelog -DIN=CHANGELOG.md -DNAME=... -DCONTACT=... -DOUT=...
#       the package's changelog, in the format dpkg and lintian read
#   -DWHAT=readme -DIN=README.md -DSHIPPED="a;b" -DOUT=...
#       the README with links to files the package does not hold made plain text
cmake_minimum_required(VERSION 3.25)

if(WHAT STREQUAL "copyright")
    file(STRINGS "${LICENSE}" holders REGEX "^Copyright \\(c\\) ")
    if(NOT holders)
        message(FATAL_ERROR "${LICENSE} names no copyright holder")
    endif()
    list(TRANSFORM holders REPLACE "^Copyright \\(c\\) " "")
    list(JOIN holders "\n " holders)
    # The licence's terms, below its title and copyright lines, as one
    # field: every line indented, blank ones a dot.
    file(READ "${LICENSE}" text)
    string(REGEX REPLACE "^.*\nCopyright \\(c\\) [^\n]*\n+" "" text "${text}")
    string(REGEX REPLACE "\n+$" "" text "${text}")
    string(REGEX REPLACE "\n\n" "\n.\n" text "${text}")
    string(REPLACE "\n" "\n " text " ${text}")
    file(WRITE "${OUT}"
         "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
         "Upstream-Name: ${NAME}\n"
         "Upstream-Contact: ${CONTACT}\n"
         "\n"
         "Files: *\n"
         "Copyright: ${holders}\n"
         "License: ${SPDX}\n"
         "\n"
         "License: ${SPDX}\n"
         "${text}\n")

elseif(WHAT STREQUAL "changelog")
    file(STRINGS "${IN}" lines)
    set(out "")
    set(open_entry "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^## ([0-9][0-9A-Za-z.+~-]*) \\(([0-9]+-[0-9]+-[0-9]+)( [0-9]+:[0-9]+)?\\)$")
            set(version "${CMAKE_MATCH_1}")
            # The entry's date in the form the changelog wants, weekday and all;
            # a release without a time of day is dated at noon (UTC). Two
            # releases of one day need their times, since each entry must be
            # dated after the one below it.
            set(time " 12:00")
            if(CMAKE_MATCH_3)
                set(time "${CMAKE_MATCH_3}")
            endif()
            execute_process(COMMAND date -u -R -d "${CMAKE_MATCH_2}${time}:00"
                            OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE
                            RESULT_VARIABLE status)
            if(NOT status EQUAL 0)
                message(FATAL_ERROR "${IN}: no date in '${line}'")
            endif()
            string(APPEND out "${open_entry}${NAME} (${version}) unstable; urgency=medium\n\n")
            set(open_entry "\n -- ${CONTACT}  ${date}\n\n")
        elseif(open_entry STREQUAL "")
            # The file's own heading and notes before the first release.
        elseif(line MATCHES "^- (.*)")
            string(APPEND out "  * ${CMAKE_MATCH_1}\n")
        elseif(line MATCHES "^  +(.*)")
            string(APPEND out "    ${CMAKE_MATCH_1}\n")
        elseif(NOT line STREQUAL "")
            message(FATAL_ERROR "${IN}: neither a release heading nor a '- ' item: '${line}'")
        endif()
    endforeach()
    if(open_entry STREQUAL "")
        message(FATAL_ERROR "${IN} holds no '## VERSION (DATE)' release")
    endif()
    string(REGEX REPLACE "\n\n$" "\n" open_entry "${open_entry}")
    file(WRITE "${OUT}" "${out}${open_entry}")

elseif(WHAT STREQUAL "readme")
    file(READ "${IN}" text)
    # [text](target) and ![text](target) whose target is a file of the
    # repository that is not shipped: the link becomes its text, a picture
    # goes. Web addresses and anchors stay.
    string(REGEX MATCHALL "!?\\[[^]\n]*\\]\\([^)\n]*\\)" links "${text}")
    list(REMOVE_DUPLICATES links)
    foreach(link IN LISTS links)
        string(REGEX MATCH "^(!?)\\[([^]\n]*)\\]\\(([^)\n]*)\\)$" parts "${link}")
        set(picture "${CMAKE_MATCH_1}")
        set(words "${CMAKE_MATCH_2}")
        set(target "${CMAKE_MATCH_3}")
        if(target MATCHES "^(https?:|mailto:|#)" OR target IN_LIST SHIPPED)
            continue()
        endif()
        if(picture)
            string(REPLACE "${link}" "" text "${text}")
        else()
            string(REPLACE "${link}" "${words}" text "${text}")
        endif()
    endforeach()
    file(WRITE "${OUT}" "${text}")

else()
    message(FATAL_ERROR "docs.cmake: WHAT=copyright|changelog|readme")
endif()

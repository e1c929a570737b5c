# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Writes a program's manual page from the program itself, so that the page
# and --help cannot disagree: help2man over --help, and for a program with
# commands, each command's own help as a section of its own.
#   cmake -DPROGRAM=path -DSECTION=1 -DNAME="one line" -DOUT=page.1
#         [-DVERSION=x.y.z] [-DCOMMANDS=ON] -P manpage.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var PROGRAM SECTION NAME OUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "manpage.cmake needs -D${var}=...")
    endif()
endforeach()

# Run by its bare name from a PATH holding its folder, so that a usage line
# built from argv[0] names the program and not the build folder.
get_filename_component(dir "${PROGRAM}" DIRECTORY)
get_filename_component(program "${PROGRAM}" NAME)
set(ENV{PATH} "${dir}:$ENV{PATH}")
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} detect_leaks=0)

# Text shown as the program prints it: roff's escape character doubled, and
# a line that starts with a dot or quote kept from being read as a request.
function(as_roff text out)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    string(REGEX REPLACE "^\n+|\n+$" "" text "${text}")
    set(${out} ".nf\n${text}\n.fi\n" PARENT_SCOPE)
endfunction()

set(include_file "${OUT}.include")
set(include_args)
if(COMMANDS)
    set(include_args "--include=${include_file}")
    execute_process(COMMAND "${program}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${program} --help failed (${status})")
    endif()
    # help2man would run the command list together into one paragraph; the
    # description is --help below its usage line, laid out as printed.
    string(REGEX REPLACE "^Usage:[^\n]*\n" "" body "${help}")
    as_roff("${body}" body)
    file(WRITE "${include_file}" "[=DESCRIPTION]\n${body}[COMMANDS]\n")
    # The commands are the indented lines under "Commands:", up to the next
    # blank line; the first word of each is the command.
    string(REGEX MATCH "\nCommands:\n([^\n]+\n)+" block "${help}")
    string(REGEX MATCHALL "\n  [a-z][a-z0-9-]*" names "${block}")
    if(NOT names)
        message(FATAL_ERROR "${program} --help lists no commands")
    endif()
    foreach(name IN LISTS names)
        string(STRIP "${name}" name)
        if(name STREQUAL "help")
            continue()
        endif()
        execute_process(COMMAND "${program}" help ${name} OUTPUT_VARIABLE text
                        RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "${program} help ${name} failed (${status})")
        endif()
        as_roff("${text}" text)
        file(APPEND "${include_file}" ".SS ${name}\n${text}")
    endforeach()
endif()

set(version_args)
if(DEFINED VERSION)
    set(version_args "--version-string=${program} ${VERSION}")
endif()
execute_process(
    COMMAND help2man --no-info "--section=${SECTION}" "--name=${NAME}"
            ${include_args} ${version_args} "--output=${OUT}" "${program}"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "help2man failed on ${program} (${status})")
endif()

# SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
# SPDX-License-Identifier: MIT
# Checks that the bash completion given as $1 offers exactly the commands and
# options vosk-setup has: the commands as "vosk-setup --help" lists them from
# the program's table, each command's options as its help lists them, and
# every offered option accepted by the command's parser. Prints each
# disagreement; silent when the two agree.
. "$1"
_init_completion() {
    words=("${COMP_WORDS[@]}") cword=$COMP_CWORD
    cur=${words[cword]} prev=${words[cword - 1]}
}
compopt() { :; }
_filedir() { :; }

offered() { # the words completion offers after: vosk-setup "$@"
    COMP_WORDS=(vosk-setup "$@") COMP_CWORD=$# COMPREPLY=()
    _vosk_setup
    printf '%s\n' "${COMPREPLY[@]}" | sed 's/=$//' | sort -u
}

commands=$(vosk-setup --help | sed -n '/^Commands:/,/^$/s/^  \([a-z]*\).*/\1/p' | sort -u)
diff <(echo "$commands") <(offered '' | grep -v '^--') | sed 's/^/commands: /'
for command in $commands; do
    [ "$command" = help ] && continue
    documented=$(vosk-setup help "$command" | grep -oE '^ +(-[a-z], )?--[a-z][a-z-]*' |
        grep -oE -- '--[a-z-]+' | sort -u)
    diff <(printf '%s\n' --help $documented | sort -u) <(offered "$command" -) |
        sed "s/^/$command: /"
    for option in $(offered "$command" -); do
        vosk-setup "$command" "$option" </dev/null 2>&1 | grep -F "unknown option" |
            sed "s/^/$command: /"
    done
done

# bash completion for quorvandel-convert: its options, the per-profile keys
# after --set and their values, the profile names of the settings file after
# --profile, and file names.

# The settings file that the command line names with --settings, or else the
# one the converter reads: beside the executable, or the per-user one.
_quorvandel_convert_settings_file()
{
    local i file
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --settings=*) file=${words[i]#--settings=} ;;
            --settings) ((i + 1 < cword)) && file=${words[i + 1]} ;;
        esac
    done
    if [[ -n $file ]]; then
        [[ $file == "~/"* ]] && file=$HOME/${file#"~/"}
        printf '%s\n' "$file"
        return
    fi
    local program folder
    program=$(type -P "${words[0]}" 2>/dev/null) || program=
    if [[ -n $program ]]; then
        folder=$(dirname -- "$(readlink -f -- "$program")")
        if [[ -f $folder/Quorvandel.ini || -w $folder ]]; then
            printf '%s\n' "$folder/Quorvandel.ini"
            return
        fi
    fi
    printf '%s\n' "${XDG_CONFIG_HOME:-$HOME/.config}/Quorvandel/Quorvandel.ini"
}

# The named profiles: the sections "Profile_<name>" of the settings file.
_quorvandel_convert_profiles()
{
    local file name
    file=$(_quorvandel_convert_settings_file)
    [[ -r $file ]] || return
    local IFS=$'\n'
    local -a names
    while IFS= read -r name; do
        name=${name%$'\r'}
        [[ $name =~ ^\[Profile_(.+)\][[:space:]]*$ ]] || continue
        name=${BASH_REMATCH[1]}
        [[ $name == "$cur"* ]] && names+=("$(printf '%q' "$name")")
    done <"$file"
    COMPREPLY=("${names[@]}")
}

# The values a key takes, by what the key holds.
_quorvandel_convert_values()
{
    case $1 in
        *_char_set) echo '0 1 2 3 4 5' ;;
        destination_eoln_format | english_letter_case) echo '0 1 2' ;;
        line_length) ;;
        *) echo '0 1' ;;
    esac
}

# KEY= after --set, the keys coming from the converter itself; then the
# key's values after KEY=.
_quorvandel_convert_set()
{
    if [[ $cur == *=* ]]; then
        local key=${cur%%=*}
        COMPREPLY=($(compgen -W "$(_quorvandel_convert_values "$key")" -- "${cur#*=}"))
        # Where '=' breaks words, the line keeps "KEY=" and only the value
        # is completed.
        [[ $COMP_WORDBREAKS == *=* ]] || COMPREPLY=("${COMPREPLY[@]/#/$key=}")
        return
    fi
    local keys
    keys=$("${words[0]}" --settings /dev/null --list-keys 2>/dev/null) || return
    keys=$(printf '%s\n' "$keys" | cut -d= -f1)
    COMPREPLY=($(compgen -W "$keys" -S = -- "$cur"))
    compopt -o nospace
}

_quorvandel_convert()
{
    local cur prev words cword split
    _init_completion -s || return

    case $prev in
        -o | --output | --settings)
            _filedir
            return
            ;;
        --output-dir)
            _filedir -d
            return
            ;;
        --input-encoding | --output-encoding)
            COMPREPLY=($(compgen -W 'bytes utf-8' -- "$cur"))
            return
            ;;
        --profile)
            _quorvandel_convert_profiles
            return
            ;;
        --set)
            _quorvandel_convert_set
            return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '-o --output --output-dir --settings --profile --set --list-keys
            --input-encoding --output-encoding -h --help --version' -- "$cur"))
        return
    fi
    _filedir
} &&
    complete -F _quorvandel_convert quorvandel-convert

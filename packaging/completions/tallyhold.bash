# bash completion for tallyhold. scripts/check-cli-docs.py checks it against the program's --help.

# The names of the cached packages, from `tallyhold list --names`, for the game folder the command
# line names already (--game, --cache, --install). Each is quoted for the shell; a name is taken
# as text and never expanded.
_tallyhold_names()
{
    local -a folder=()
    local i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --game | --cache | --install) folder+=("${words[i]}" "${words[i + 1]}"); ((i++)) ;;
            --game=* | --cache=* | --install=*) folder+=("${words[i]}") ;;
        esac
    done
    local name
    while IFS= read -r name; do
        [[ $name == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
    done < <(tallyhold "${folder[@]}" list --names 2>/dev/null)
}

_tallyhold()
{
    local cur prev words cword
    _init_completion || return

    local commands="list info requires delete keep check return tidy where help"
    local global="--game --cache --install --color --no-memo --help -h --version -V"
    local command="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --game | --cache | --install | --color | --sort | --older-than | --set-game | --screenshot) ((i++)) ;;
            -*) ;;
            *) command=${words[i]}; break ;;
        esac
    done

    case $prev in
        --game | --cache | --set-game)
            _filedir -d
            return
            ;;
        --screenshot)
            _filedir png
            return
            ;;
        --color)
            COMPREPLY=($(compgen -W "auto always never" -- "$cur"))
            return
            ;;
        --sort)
            COMPREPLY=($(compgen -W "name kind size age" -- "$cur"))
            return
            ;;
        --older-than | --install)
            return
            ;;
    esac

    local options
    case $command in
        "") COMPREPLY=($(compgen -W "$commands $global" -- "$cur")); return ;;
        list) options="--json --bytes --sort --names" ;;
        info) options="--json --screenshot" ;;
        requires) options="" ;;
        delete) options="--older-than --yes -y --dry-run -n" ;;
        keep) options="--yes -y --dry-run -n" ;;
        check) options="--json" ;;
        return) options="--yes -y --dry-run -n" ;;
        tidy) options="--stale --orphans --yes -y --dry-run -n" ;;
        where) options="--set-game" ;;
        help) COMPREPLY=($(compgen -W "$commands" -- "$cur")); return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --game --cache --install --color --no-memo --help -h" -- "$cur"))
    elif [[ $command == @(info|requires|delete|keep|return) ]]; then
        _tallyhold_names
    fi
} &&
    complete -F _tallyhold tallyhold

# bash completion for tallyhold. scripts/check-cli-docs.py checks it against the program's --help.

_tallyhold()
{
    local cur prev words cword
    _init_completion || return

    local commands="list info requires delete keep check return tidy where help"
    local global="--game --cache --install --color --help -h --version -V"
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
        list) options="--json --bytes --sort" ;;
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
        COMPREPLY=($(compgen -W "$options --game --cache --install --color --help -h" -- "$cur"))
    fi
} &&
    complete -F _tallyhold tallyhold

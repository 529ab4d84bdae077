# fish completion for tallyhold. scripts/check-cli-docs.py checks it against the program's --help.

set -l commands list info requires delete keep check return tidy where help
complete -c tallyhold -f
complete -c tallyhold -n "not __fish_seen_subcommand_from $commands" -a list -d 'List every cached package'
complete -c tallyhold -n "not __fish_seen_subcommand_from $commands" -a info -d "Each package's card"
complete -c tallyhold -n "not __fish_seen_subcommand_from $commands" -a requires -d 'What each package requires'
complete -c tallyhold -n "not __fish_seen_subcommand_from $commands" -a delete -d 'Delete cached packages'
complete -c tallyhold -n "not __fish_seen_subcommand_from $commands" -a keep -d 'Make cached packages permanent'
complete -c tallyhold -n "not __fish_seen_subcommand_from $commands" -a check -d "The cache's problems"
complete -c tallyhold -n "not __fish_seen_subcommand_from $commands" -a return -d 'Installed copies back into the cache'
complete -c tallyhold -n "not __fish_seen_subcommand_from $commands" -a tidy -d 'Stale lines, files without a line'
complete -c tallyhold -n "not __fish_seen_subcommand_from $commands" -a where -d 'The game and cache folders'
complete -c tallyhold -n "not __fish_seen_subcommand_from $commands" -a help -d 'The help of a command'
complete -c tallyhold -n "__fish_seen_subcommand_from help" -a "list info requires delete keep check return tidy where"

complete -c tallyhold -l game -x -a '(__fish_complete_directories)' -d 'The game folder'
complete -c tallyhold -l cache -x -a '(__fish_complete_directories)' -d 'The cache folder'
complete -c tallyhold -l install -x -d 'The installation of that number in where\'s list'
complete -c tallyhold -l color -x -a 'auto always never' -d 'When to use colour'
complete -c tallyhold -s h -l help -d 'Show the help and end'
complete -c tallyhold -s V -l version -d 'Show the version and end'

complete -c tallyhold -n "__fish_seen_subcommand_from list" -l json -d 'One JSON object for scripts'
complete -c tallyhold -n "__fish_seen_subcommand_from list" -l bytes -d 'Sizes in bytes'
complete -c tallyhold -n "__fish_seen_subcommand_from list" -l sort -x -a 'name kind size age' -d 'The order'
complete -c tallyhold -n "__fish_seen_subcommand_from info" -l json -d 'One JSON object for scripts'
complete -c tallyhold -n "__fish_seen_subcommand_from info" -l screenshot -r -F -d "Write the map's screenshot as PNG"
complete -c tallyhold -n "__fish_seen_subcommand_from delete" -l older-than -x -d 'Only packages older than DAYS days'
complete -c tallyhold -n "__fish_seen_subcommand_from delete keep return tidy" -s y -l yes -d 'Answer every question with Yes'
complete -c tallyhold -n "__fish_seen_subcommand_from delete keep return tidy" -s n -l dry-run -d 'Tell what would be done, and do nothing'
complete -c tallyhold -n "__fish_seen_subcommand_from check" -l json -d 'One JSON object for scripts'
complete -c tallyhold -n "__fish_seen_subcommand_from tidy" -l stale -d 'Remove the lines whose cached file is gone'
complete -c tallyhold -n "__fish_seen_subcommand_from tidy" -l orphans -d 'Delete every cached file without a line'
complete -c tallyhold -n "__fish_seen_subcommand_from where" -l set-game -x -a '(__fish_complete_directories)' -d 'Store DIR as the game folder'

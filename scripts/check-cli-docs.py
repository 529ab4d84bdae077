#!/usr/bin/env python3
"""Checks the manual pages, the shell completions and the command line's part of docs/USAGE.md against
the programs' own --help, so that they can't drift from the command line: every command and option
the help names is in each of them, and none names an option the program doesn't take.
Usage: check-cli-docs.py TALLYHOLD [TALLYHOLD_WINDOW]"""
import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OPTION = re.compile(r"(?<![\w-])(--?[A-Za-z][\w-]*)")


def run(program, *arguments):
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen", NO_COLOR="1")
    return subprocess.run([program, *arguments], capture_output=True, text=True, env=environment,
                          check=True).stdout


def section(help_text, titles):
    """The lines of the help's section with one of these titles (up to the next blank line)."""
    lines, inside = [], False
    for line in help_text.splitlines():
        if line.rstrip(":") in titles:
            inside = True
        elif inside and not line.strip():
            inside = False
        elif inside:
            lines.append(line)
    return lines


def options_of(help_text):
    found = set()
    for line in section(help_text, ("Options",)):
        if line.startswith("  -"):
            found.update(OPTION.findall(re.split(r"\s{2,}", line.strip())[0]))
    return found


def read(relative):
    with open(os.path.join(ROOT, relative), encoding="utf-8") as f:
        return f.read()


problems = []


def compare(what, named, real, only_long=False):
    """`named`: the options a file names; `real`: those the program takes."""
    wanted = {o for o in real if o.startswith("--")} if only_long else real
    for option in sorted(wanted - named):
        problems.append("%s: %s is missing" % (what, option))
    for option in sorted(n for n in named - real if n.startswith("--")):
        problems.append("%s: %s is no option of the program" % (what, option))


def main():
    tallyhold = sys.argv[1]
    top = run(tallyhold, "--help")
    # A command's line starts two blanks in; its description's further lines start further in.
    commands = [line.split()[0] for line in section(top, ("Subcommands", "Commands")) if re.match(r"  \S", line)]
    if not commands:
        sys.exit("no commands found in tallyhold --help")
    options = options_of(top)
    per_command = {c: options_of(run(tallyhold, c, "--help")) for c in commands}
    every = options.union(*per_command.values())

    page = read("packaging/man/tallyhold.1.scd")
    compare("tallyhold.1", set(re.findall(r"\*(--?[A-Za-z][\w-]*)\*", page)), every)
    for command in commands + ["help"]:
        if "*%s*" % command not in page:
            problems.append("tallyhold.1: the command %s is missing" % command)

    for name in ("tallyhold.bash", "_tallyhold"):
        text = read("packaging/completions/" + name)
        # Long options as they stand; short ones only looked for (the script's own commands take some).
        named = {o for o in OPTION.findall(text) if o.startswith("--")}
        named |= {o for o in every if not o.startswith("--") and re.search(r"(?<![\w-])%s(?![\w-])" % o, text)}
        compare(name, named, every)
        for command in commands + ["help"]:
            if not re.search(r"\b%s\b" % command, text):
                problems.append("%s: the command %s is missing" % (name, command))

    fish = "\n".join(line for line in read("packaging/completions/tallyhold.fish").splitlines()
                     if line.startswith("complete "))
    named = {"--" + n for n in re.findall(r"-l ([\w-]+)", fish)} | {"-" + n for n in re.findall(r"-s (\w)\b", fish)}
    compare("tallyhold.fish", named, every)
    for command in commands + ["help"]:
        if not re.search(r"-a %s\b" % command, fish):
            problems.append("tallyhold.fish: the command %s is missing" % command)

    # The guide to every command: its part on tallyhold, up to the windows' parts.
    usage = read("docs/USAGE.md").split("\n## The native window")[0]
    compare("USAGE.md", {o for o in OPTION.findall(usage) if o.startswith("--")}, every, only_long=True)
    for command in commands + ["help"]:
        if "`tallyhold %s" % command not in usage:
            problems.append("USAGE.md: the command %s is missing" % command)

    if len(sys.argv) > 2:
        window = options_of(run(sys.argv[2], "--help"))
        window_page = read("packaging/man/tallyhold-window.1.scd")
        compare("tallyhold-window.1", set(re.findall(r"\*(--?[A-Za-z][\w-]*)\*", window_page)), window)

    # The pages as man shows them: groff's warnings (a line too long, a bad request) are problems too.
    if shutil.which("scdoc") and shutil.which("man"):
        for name in ("tallyhold.1.scd", "tallyhold-window.1.scd"):
            roff = subprocess.run(["scdoc"], input=read("packaging/man/" + name), capture_output=True, text=True,
                                  check=True).stdout
            shown = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", "-"], input=roff, capture_output=True,
                                   text=True, env=dict(os.environ, MANWIDTH="80", MAN_KEEP_STDERR="1"))
            for warning in shown.stderr.splitlines():
                problems.append("%s: %s" % (name, warning))

    for problem in problems:
        print(problem)
    print("man pages, completions and USAGE.md: %d commands, %d options checked, %d problems" %
          (len(commands), len(every), len(problems)))
    sys.exit(1 if problems else 0)


main()

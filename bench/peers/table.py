"""Prints the benchmark table from lines of: where, files, tool, step, seconds.
Medians per cell; ratios to the floor measured in the same run."""
import statistics
import sys
from collections import defaultdict

TOOLS = [("program", "this program (BatchRename)"), ("floor", "syscall floor"),
         ("perl-rename", "perl rename (File::Rename)"), ("mmv", "mmv"), ("python", "Python os.rename loop")]

times = defaultdict(list)
for line in sys.stdin:
    where, files, tool, step, seconds = line.split("\t")
    times[(where, int(files), tool, step)].append(float(seconds))

places = sorted({(where, files) for where, files, _, _ in times}, key=lambda p: (p[1], p[0]))
header = f"{'files':>7}  {'where':<22} {'tool':<28} {'numbering':>12} {'ratio':>6} {'prefix+ext':>12} {'ratio':>6} {'both':>6} {'runs':>4}"
print(header)
print("-" * len(header))
for where, files in places:
    median = {}
    for tool, _ in TOOLS:
        for step in ("numbering", "rules"):
            runs = times.get((where, files, tool, step))
            if runs:
                median[(tool, step)] = statistics.median(runs)
    for tool, label in TOOLS:
        if (tool, "numbering") not in median:
            continue
        cells = []
        for step in ("numbering", "rules"):
            seconds = median[(tool, step)]
            cells.append(f"{files / seconds:>9.0f} f/s {seconds / median[('floor', step)]:>6.2f}")
        both = sum(median[(tool, s)] for s in ("numbering", "rules"))
        floor = sum(median[("floor", s)] for s in ("numbering", "rules"))
        runs = len(times[(where, files, tool, "numbering")])
        print(f"{files:>7}  {where:<22} {label:<28} {cells[0]} {cells[1]} {both / floor:>6.2f} {runs:>4}")
    print()

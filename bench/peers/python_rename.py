"""The Python loop a user would write: list, sort naturally, os.rename."""
import os
import re
import sys


def natural(name):
    return [int(part) if part.isdigit() else part.lower() for part in re.split(r"(\d+)", name)]


folder, step = sys.argv[1], sys.argv[2]
os.chdir(folder)
if step == "numbering":
    for position, name in enumerate(sorted(os.listdir("."), key=natural), 1):
        os.rename(name, f"{position}_{name}")
else:
    for name in os.listdir("."):
        if name.endswith(".jpg"):
            os.rename(name, "x" + name[:-4] + ".txt")

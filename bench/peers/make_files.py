"""Makes a fresh folder of empty files IMG_1.jpg .. IMG_N.jpg, or checks that a
folder holds exactly the names the two benchmark steps lead to."""
import os
import sys


def make(folder, count):
    os.mkdir(folder)
    for i in range(1, count + 1):
        os.close(os.open(os.path.join(folder, f"IMG_{i}.jpg"), os.O_CREAT | os.O_EXCL | os.O_WRONLY))


def check(folder, count):
    names = set(os.listdir(folder))
    wanted = {f"x{i}_IMG_{i}.txt" for i in range(1, count + 1)}
    if names != wanted:
        wrong = sorted(names - wanted)[:3]
        sys.exit(f"{folder}: {len(names)} names, {len(wanted - names)} missing, e.g. wrong {wrong}")


if __name__ == "__main__":
    action, folder, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
    make(folder, count) if action == "make" else check(folder, count)

#!/usr/bin/env python3
"""Months a second of the headless game at full speed ("SPEED; 100;", every tick a month,
--quiet-frames), for three cities measured in turns so that the machine's load falls on
all of them alike:

  zoned  the bench's dense city with its homes, shops and works zoned anew: its first
         twelve months (the worst months of a growing city), the file loaded again
         before each twelve
  dense  the same city fully built, month after month
  empty  a new city

The figure is processor time (user + system) of the game, not wall-clock time: a
session without months (start-up and loading only) is measured alike and taken away.

usage: bench/headless_months.py [BUILD_DIR] [--rounds N] [--months N] [--loads N]
"""
import argparse
import os
import resource
import statistics
import subprocess
import sys
import tempfile


def cpu_seconds(command, stdin_text):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(command, input=stdin_text.encode(), stdout=subprocess.DEVNULL, check=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def session(city, files, months, loads):
    lines = [":new Town", ":press O_A_Budget"]
    if city == "empty":
        lines += ["SPEED; 100;", ":tick %d" % months]
    elif city == "dense":
        lines += [":file " + os.path.join(files, "dense.PZ1"), ":press F_LoadCity", "SPEED; 100;",
                  ":tick %d" % months]
    else:
        for load in range(loads):
            # After twelve months the city has changed: "Save changes?" is answered No,
            # so that every load reads the freshly zoned city again (and nothing is saved).
            if months and load > 0:
                lines.append(":answer No")
            lines += [":file " + os.path.join(files, "zoned.PZ1"), ":press F_LoadCity", "SPEED; 100;",
                      ":tick %d" % (12 if months else 0)]
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--months", type=int, default=3000, help="months of the dense and empty cities a round")
    parser.add_argument("--loads", type=int, default=60, help="twelve-month runs of the zoned city a round")
    args = parser.parse_args()

    game = os.path.join(args.build, "bin", "plazaro")
    writer = os.path.join(args.build, "bench-bin", "bench_city_files")
    for path in (game, writer):
        if not os.access(path, os.X_OK):
            sys.exit("not built: " + path)
    files = tempfile.mkdtemp(prefix="plazaro-bench-")
    subprocess.run([writer, files], check=True)
    # The game keeps its settings and cities under HOME: a fresh one each run.
    env_home = tempfile.mkdtemp(prefix="plazaro-home-")
    os.environ["HOME"] = env_home
    command = [game, "--headless", "--seed", "5", "--quiet-frames"]

    months = {"zoned": 12 * args.loads, "dense": args.months, "empty": args.months}
    rates = {city: [] for city in months}
    for _ in range(args.rounds):
        for city in ("zoned", "dense", "empty"):
            base = cpu_seconds(command, session(city, files, 0, args.loads))
            work = cpu_seconds(command, session(city, files, months[city], args.loads))
            rates[city].append(months[city] / max(work - base, 1e-6))
    for city in ("zoned", "dense", "empty"):
        rate = statistics.median(rates[city])
        print("%-6s %8.0f months/s  %7.3f ms/month  (rounds: %s)" %
              (city, rate, 1000.0 / rate, " ".join("%.0f" % r for r in rates[city])))
    ratio = statistics.median(rates["empty"]) / statistics.median(rates["zoned"])
    print("a zoned month costs %.2f empty months" % ratio)


if __name__ == "__main__":
    main()

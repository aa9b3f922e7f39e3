#!/usr/bin/env python3
"""Screenshots of the Progress window for the readiness cases, in the real program under Xvfb.

Each case gets a program folder of its own (the built program beside its data, the Technician
pool replaced where the case needs another), fresh data and configuration folders, and a
progress store filled with the case's answers; the program is started, Test > Progress opened
with the keyboard, and the window captured into docs/.

    tools/screens/readiness.py build/relwithdebinfo/examora docs
"""
import os
import random
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import time
from datetime import datetime, timedelta, timezone

KEY = "T 2026-2030"


def iso(moment):
    return moment.astimezone(timezone.utc).strftime("%Y-%m-%dT%H:%M:%S.") + \
        f"{moment.microsecond // 1000:03d}Z"


def pool_ids(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = f.read().split("\n")
    ids = []
    for i in range(1, len(lines) - 6, 7):
        ids.append(lines[i].split(" ")[0])
    return ids


def run(program_dir, home, env, seconds):
    proc = subprocess.Popen(["./examora"], cwd=program_dir, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(seconds)
    return proc


def window_id(name, env):
    out = subprocess.run(["xdotool", "search", "--name", f"^{name}$"], env=env,
                         capture_output=True, text=True).stdout.split()
    return out[-1] if out else None


def shoot(case, program_dir, fill, out_dir, env_base):
    home = tempfile.mkdtemp(prefix="examora-shot-")
    env = dict(env_base, XDG_DATA_HOME=f"{home}/data", XDG_CONFIG_HOME=f"{home}/config", HOME=home)
    proc = run(program_dir, home, env, 3)  # creates the store
    proc.terminate()
    proc.wait()
    db = sqlite3.connect(f"{home}/data/examora/progress.sqlite")
    fill(db)
    db.commit()
    db.close()
    proc = run(program_dir, home, env, 3)
    main = window_id(".*Examora Study Program.*", env)
    if main:  # no window manager gives it the focus
        subprocess.run(["xdotool", "windowfocus", main], env=env)
        time.sleep(0.3)
    subprocess.run(["xdotool", "key", "alt+t"], env=env)
    time.sleep(0.7)
    subprocess.run(["xdotool", "key", "p"], env=env)
    time.sleep(2.5)
    progress = window_id("Progress", env)
    target = f"{out_dir}/{case}.png"
    if progress:
        subprocess.run(["/usr/bin/import", "-window", progress, target], env=env)
        print("wrote", target)
    else:
        print("no Progress window for", case)
    proc.terminate()
    proc.wait()
    shutil.rmtree(home, ignore_errors=True)


def answers(db, rows):
    db.executemany("INSERT INTO answers (answered_at, pool, question, chosen, correct, hinted, mode) "
                   "VALUES (?, ?, ?, ?, ?, 0, ?)", rows)


def exam_moment(db, moment):
    db.execute("INSERT OR REPLACE INTO settings (pool, name, value) VALUES (?, 'exam_moment', ?)",
               (KEY, iso(moment)))


def main():
    built, out_dir = sys.argv[1], os.path.abspath(sys.argv[2])
    now = datetime.now(timezone.utc).replace(second=0, microsecond=0)
    ids = pool_ids(os.path.join(built, "questech.txt"))
    xvfb = subprocess.Popen(["Xvfb", ":71", "-screen", "0", "1024x768x24", "-noreset"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    env = dict(os.environ, DISPLAY=":71", QT_QPA_PLATFORM="xcb")
    env.pop("QT_QPA_PLATFORM_PLUGIN_PATH", None)
    work = tempfile.mkdtemp(prefix="examora-programs-")

    def program(replace_pool=None):
        folder = tempfile.mkdtemp(dir=work)
        for name in os.listdir(built):
            os.symlink(os.path.join(os.path.abspath(built), name), os.path.join(folder, name))
        if replace_pool:
            os.unlink(os.path.join(folder, "questech.txt"))
            with open(os.path.join(folder, "questech.txt"), "w", encoding="utf-8", newline="") as f:
                f.write(replace_pool)
        return folder

    original = open(os.path.join(built, "questech.txt"), encoding="utf-8").read()
    header, _, records = original.partition("\n")
    rng = random.Random(16)
    evening = now - timedelta(hours=1)

    def all_wrong(db):  # one evening, every answer wrong; the exam 20 h after the last
        answers(db, [(iso(evening - timedelta(seconds=10 * i)), KEY, q, "A", 0, "study")
                     for i, q in enumerate(ids)])
        exam_moment(db, evening + timedelta(hours=20))

    def guessing(db):  # every question once, right one time in four
        answers(db, [(iso(evening - timedelta(seconds=10 * i)), KEY, q, "A", int(rng.random() < 0.25),
                      "study") for i, q in enumerate(ids)])

    def passed_day(db):  # a remembered exam day that has gone by, then more answers
        answers(db, [(iso(evening - timedelta(seconds=10 * i)), KEY, q, "A", 1, "study")
                     for i, q in enumerate(ids[:200])])
        exam_moment(db, datetime(2026, 9, 12, 14, 0).astimezone())

    def nothing(db):
        pass

    def first_not_ncvec(db):  # the real pool behind a first record of no exam
        answers(db, [(iso(evening - timedelta(seconds=10 * i)), KEY, q, "A", 1, "study")
                     for i, q in enumerate(ids)])

    def studied(db):  # ten days of study, a practice exam on six mornings
        groups = {}
        for q in ids:
            groups.setdefault(q[:3], []).append(q)
        known = {q: 0.0 for q in ids}
        for day in range(10, 0, -1):
            start = now - timedelta(days=day, hours=-2)
            rows = []
            for n in range(70):
                q = rng.choice(ids)
                right = rng.random() < 0.25 + 0.75 * known[q]
                rows.append((iso(start + timedelta(minutes=n)), KEY, q, "A", int(right), "study"))
                known[q] = min(1.0, known[q] + (0.6 if right else 0.3))
            answers(db, rows)
            if day % 2 == 0 or day == 1:
                at = start + timedelta(hours=14)
                drawn = [rng.choice(members) for members in groups.values()]
                marks = [rng.random() < 0.25 + 0.7 * known[q] for q in drawn]
                score = sum(marks)
                cur = db.execute("INSERT INTO exams (pool, started_at, finished_at, score, total, pass_mark, "
                                 "passed) VALUES (?, ?, ?, ?, 35, 26, ?)",
                                 (KEY, iso(at), iso(at + timedelta(minutes=25)), score, int(score >= 26)))
                exam = cur.lastrowid
                db.executemany("INSERT INTO answers (answered_at, pool, question, chosen, correct, hinted, mode, "
                               "exam_id) VALUES (?, ?, ?, 'A', ?, 0, 'exam', ?)",
                               [(iso(at + timedelta(minutes=25)), KEY, q, int(m), exam)
                                for q, m in zip(drawn, marks)])
        exam_moment(db, now + timedelta(days=3, hours=5))

    other = header + "\n" + records.replace("\nT", "\nX").replace("T1A01 (", "X1A01 (", 1)
    odd_first = header + "\n" + "Q-1 (A)\nA question of no exam?\nA.  a\nB.  b\nC.  c\nD.  d\n~~\n" + records
    cases = [
        ("readiness-all-wrong-20h", program(), all_wrong),
        ("readiness-guessing", program(), guessing),
        ("readiness-passed-exam-day", program(), passed_day),
        ("readiness-new-user", program(), nothing),
        ("readiness-other-element", program(other), nothing),
        ("readiness-first-record-not-ncvec", program(odd_first), first_not_ncvec),
        ("progress-window", program(), studied),
    ]
    try:
        for name, folder, fill in cases:
            shoot(name, folder, fill, out_dir, env)
    finally:
        xvfb.terminate()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()

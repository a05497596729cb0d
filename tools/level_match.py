#!/usr/bin/env python3
"""A small match runner for calibrating Quorvel's levels.

Two UCI engines play each opening of a list once with each colour. A third
engine, Stockfish, only referees: it lists the legal moves, says whether the
side to move is in check, gives the position's FEN for the draw rules, and
scores the position so that games long decided can be ended early (the usual
adjudication of engine matches: one side ahead by 6 pawns for 4 plies in a
row wins; after ply 80, 8 plies within 0.3 pawn of equality are a draw;
ply 300 is a draw).

Usage:
  level_match.py --engine1 CMD --option1 NAME=VALUE ... --engine2 CMD ...
                 [--go1 'go movetime 3000'] [--go2 ...] --openings FILE
                 [--openings-used N] [--concurrency 2] [--log FILE]
                 [--referee /usr/games/stockfish]

An opening line is a list of moves in coordinates (e2e4 e7e5 ...), the rest
of the line after a comma is its name: the opening book's own format.
Prints W-D-L for engine 1 and the Elo difference with its 95 % margin.
"""

import argparse
import math
import queue
import subprocess
import sys
import threading
import time

RESIGN_CP, RESIGN_PLIES = 600, 4
DRAW_FROM_PLY, DRAW_CP, DRAW_PLIES = 80, 30, 8
MAX_PLIES = 300
ANSWER_TIMEOUT = 600  # seconds an engine may take for one move before it loses


class Engine:
    def __init__(self, command, options):
        self.proc = subprocess.Popen(command, shell=True, stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                     text=True, bufsize=1)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()
        self.send("uci")
        self.wait_for("uciok")
        for name, value in options:
            self.send(f"setoption name {name} value {value}")
        self.ready()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put(line.rstrip("\n"))
        self.lines.put(None)

    def send(self, text):
        self.proc.stdin.write(text + "\n")
        self.proc.stdin.flush()

    def wait_for(self, prefix, timeout=ANSWER_TIMEOUT, collect=None):
        deadline = time.time() + timeout
        while True:
            left = deadline - time.time()
            if left <= 0:
                return None
            try:
                line = self.lines.get(timeout=left)
            except queue.Empty:
                return None
            if line is None:
                return None
            if line.startswith(prefix):
                return line
            if collect is not None:
                collect.append(line)

    def ready(self):
        self.send("isready")
        self.wait_for("readyok")

    def close(self):
        try:
            self.send("quit")
            self.proc.wait(timeout=10)
        except Exception:
            self.proc.kill()


class Referee(Engine):
    def __init__(self, command):
        super().__init__(command, [("Threads", 1), ("Hash", 16)])

    def state(self, moves):
        self.send("position startpos moves " + " ".join(moves) if moves else "position startpos")
        self.send("d")
        seen = []
        checkers = self.wait_for("Checkers:", collect=seen)
        fen = next(l[5:] for l in seen if l.startswith("Fen: "))
        in_check = checkers.strip() != "Checkers:"
        self.send("go perft 1")
        listed = []
        self.wait_for("Nodes searched", collect=listed)
        legal = {l.split(":")[0] for l in listed if ":" in l and len(l.split(":")[0]) in (4, 5)}
        return fen, in_check, legal

    depth = 9

    def score(self, moves):
        self.send("position startpos moves " + " ".join(moves) if moves else "position startpos")
        self.send(f"go depth {self.depth}")
        seen = []
        self.wait_for("bestmove", collect=seen)
        for line in reversed(seen):
            words = line.split()
            if "score" in words:
                kind, value = words[words.index("score") + 1], int(words[words.index("score") + 2])
                return value if kind == "cp" else (100000 if value > 0 else -100000)
        return 0


def insufficient(fen):
    pieces = [c for c in fen.split()[0] if c.isalpha() and c not in "kK"]
    return not pieces or (len(pieces) == 1 and pieces[0] in "nNbB")


def play_game(setup1, setup2, opening, engine1_white, referee_cmd):
    """Returns (result for engine 1: 1, 0.5 or 0, reason, moves)."""
    white_setup, black_setup = (setup1, setup2) if engine1_white else (setup2, setup1)
    engines = [Engine(white_setup["cmd"], white_setup["options"]),
               Engine(black_setup["cmd"], black_setup["options"])]
    gos = [white_setup["go"], black_setup["go"]]
    referee = Referee(referee_cmd)
    moves = list(opening)
    seen_positions = {}
    streak_side, streak, calm = 0, 0, 0
    white_score = None
    reason = ""
    try:
        for e in engines:
            e.send("ucinewgame")
            e.ready()
        while True:
            fen, in_check, legal = referee.state(moves)
            to_move = 0 if fen.split()[1] == "w" else 1
            if not legal:
                white_score = (0 if to_move == 0 else 1) if in_check else 0.5
                reason = "mate" if in_check else "stalemate"
                break
            key = " ".join(fen.split()[:4])
            seen_positions[key] = seen_positions.get(key, 0) + 1
            if seen_positions[key] >= 3:
                white_score, reason = 0.5, "repetition"
                break
            if int(fen.split()[4]) >= 100:
                white_score, reason = 0.5, "fifty moves"
                break
            if insufficient(fen):
                white_score, reason = 0.5, "material"
                break
            if len(moves) >= MAX_PLIES:
                white_score, reason = 0.5, "length"
                break
            cp = referee.score(moves)
            white_cp = cp if to_move == 0 else -cp
            side = 1 if white_cp >= RESIGN_CP else -1 if white_cp <= -RESIGN_CP else 0
            streak = streak + 1 if side != 0 and side == streak_side else (1 if side else 0)
            streak_side = side
            if streak >= RESIGN_PLIES:
                white_score, reason = (1 if side > 0 else 0), "adjudicated"
                break
            calm = calm + 1 if len(moves) >= DRAW_FROM_PLY and abs(white_cp) <= DRAW_CP else 0
            if calm >= DRAW_PLIES:
                white_score, reason = 0.5, "adjudicated draw"
                break
            engine = engines[to_move]
            engine.send("position startpos moves " + " ".join(moves) if moves else "position startpos")
            engine.send(gos[to_move])
            answer = engine.wait_for("bestmove")
            move = answer.split()[1] if answer and len(answer.split()) > 1 else None
            if move not in legal:
                white_score = 1 if to_move == 1 else 0
                reason = "illegal move %s" % move if answer else "no answer"
                break
            moves.append(move)
    finally:
        for e in engines + [referee]:
            e.close()
    score1 = white_score if engine1_white else 1 - white_score
    return score1, reason, moves


def elo(score):
    score = min(max(score, 1e-6), 1 - 1e-6)
    return -400 * math.log10(1 / score - 1)


def summary(results):
    n = len(results)
    w = sum(1 for r in results if r == 1)
    d = sum(1 for r in results if r == 0.5)
    l = n - w - d
    mean = (w + d / 2) / n
    var = sum((r - mean) ** 2 for r in results) / n
    margin = 1.96 * math.sqrt(var / n)
    low, high = elo(mean - margin), elo(mean + margin)
    return (f"games {n}  W-D-L {w}-{d}-{l}  score {100 * mean:.1f} %  "
            f"Elo {elo(mean):+.0f} +/- {(high - low) / 2:.0f}")


def main():
    parser = argparse.ArgumentParser()
    for i in (1, 2):
        parser.add_argument(f"--engine{i}", required=True)
        parser.add_argument(f"--option{i}", action="append", default=[])
        parser.add_argument(f"--go{i}", default="go")
    parser.add_argument("--openings", required=True)
    parser.add_argument("--openings-used", type=int, default=20)
    parser.add_argument("--concurrency", type=int, default=2)
    parser.add_argument("--log")
    parser.add_argument("--referee", default="/usr/games/stockfish")
    parser.add_argument("--referee-depth", type=int, default=9)
    args = parser.parse_args()
    Referee.depth = args.referee_depth

    lines = [l.split(",")[0].split() for l in open(args.openings, encoding="utf-8", errors="replace")
             if l.strip() and not l.startswith("#")]
    step = max(1, len(lines) // args.openings_used)
    openings = lines[::step][:args.openings_used]
    setups = [{"cmd": getattr(args, f"engine{i}"), "go": getattr(args, f"go{i}"),
              "options": [o.split("=", 1) for o in getattr(args, f"option{i}")]} for i in (1, 2)]
    jobs = queue.Queue()
    for number, opening in enumerate(openings):
        for engine1_white in (True, False):
            jobs.put((number, opening, engine1_white))
    results, lock = [], threading.Lock()
    log = open(args.log, "a") if args.log else None

    def worker():
        while True:
            try:
                number, opening, engine1_white = jobs.get_nowait()
            except queue.Empty:
                return
            start = time.time()
            score, reason, moves = play_game(setups[0], setups[1], opening, engine1_white, args.referee)
            with lock:
                results.append(score)
                line = (f"game {len(results)} opening {number} engine1 {'white' if engine1_white else 'black'} "
                        f"score {score} ({reason}, {len(moves)} plies, {time.time() - start:.0f} s)  "
                        f"{summary(results)}")
                print(line, flush=True)
                if log:
                    log.write(line + "\n  " + " ".join(moves) + "\n")
                    log.flush()

    threads = [threading.Thread(target=worker) for _ in range(args.concurrency)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    print("final " + summary(results), flush=True)


if __name__ == "__main__":
    sys.exit(main())

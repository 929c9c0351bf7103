#!/usr/bin/env python3
"""The report's reading of Google Benchmark's JSON: saved results of two builds (data/) give the expected
rows, each goal met or MISSED as its median says, and a figure without its benchmark reads "not
measured"."""

import importlib.machinery
import importlib.util
import subprocess
import sys
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
SCRIPT = HERE.parent / "report"
DATA = HERE / "data"


def load_report():
    loader = importlib.machinery.SourceFileLoader("bench_report", str(SCRIPT))
    module = importlib.util.module_from_spec(importlib.util.spec_from_loader("bench_report", loader))
    loader.exec_module(module)
    return module


report = load_report()


def rows_by_figure():
    rows = report.goal_rows(report.load_saved(DATA))
    return {(row.figure, row.build): row for row in rows}


class GoalRows(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.rows = rows_by_figure()

    def expect(self, figure, build, value, verdict, ratio=None):
        row = self.rows[(figure, build)]
        self.assertIsNotNone(row.value, f"{figure} on {build} is not measured")
        self.assertAlmostEqual(row.value, value, places=6, msg=f"{figure} on {build}")
        self.assertEqual(row.verdict, verdict, f"{figure} on {build}")
        if ratio is not None:
            self.assertAlmostEqual(row.ratio, ratio, places=6)

    def test_times_are_medians_of_cpu_time(self):
        # The mean and the wall clock of the fixture would both miss the start-up goal.
        self.expect("Start-up to the first frame, freed memory kept", "linux-release", 25.0, "met", 25 / 30)
        self.expect("One bet notice handled", "linux-release", 8.0, "")

    def test_a_benchmark_that_times_itself_gives_its_own_time(self):
        # The round reports its thread CPU time as manual time; exactly the goal is met.
        self.expect("One round with 200 bets, CPU", "linux-release", 10.0, "met", 1.0)

    def test_ratios_are_taken_between_benchmarks_of_one_build_in_any_unit(self):
        self.expect("Whole-window repaint against a copy of the frame", "linux-release", 6.0, "MISSED", 1.5)
        self.expect("Whole-window repaint against a copy of the frame", "win64", 4.0, "met", 1.0)
        self.expect("Start-up to the first frame, freed memory kept", "win64", 45.0, "MISSED", 1.5)

    def test_memory_of_the_first_and_every_further_table(self):
        self.expect("First table in the process", "linux-release", 18.5, "met")
        self.expect("Every further table", "linux-release", 12.0, "MISSED", 1.2)
        self.expect("Ten tables in the process", "linux-release", 126.5, "")

    def test_every_idle_benchmark_is_a_figure_of_its_own(self):
        self.expect("Idle table for a virtual minute, free", "linux-release", 0.01, "met")
        self.expect("Idle table for a virtual minute, hidden by boss key", "linux-release", 0.2, "MISSED", 4.0)
        self.assertIn(("Idle table for a virtual minute", "win64"), self.rows)
        self.assertEqual(self.rows[("Idle table for a virtual minute", "win64")].verdict, "not measured")

    def test_absent_and_failed_benchmarks_are_not_measured(self):
        for figure, build in [("Start-up to the first frame, fresh pages", "linux-release"),
                              ("First table in the process", "win64"),
                              ("Every further table", "win64"),
                              ("Table repaint in settlement against a copy of a frame", "linux-release")]:
            row = self.rows[(figure, build)]
            self.assertIsNone(row.value, f"{figure} on {build}")
        fresh = self.rows[("Start-up to the first frame, fresh pages", "linux-release")]
        self.assertEqual(fresh.verdict, "not measured")
        failed = self.rows[("Table repaint in settlement", "linux-release")]
        self.assertEqual(failed.why_absent, "failed: the settlement panel is not shown")


class PrintedTable(unittest.TestCase):
    def test_rows_as_printed(self):
        printed = subprocess.run([sys.executable, str(SCRIPT), "--from", str(DATA)], capture_output=True,
                                 text=True, check=True).stdout.splitlines()
        for line in [
            "| Whole-window repaint against a copy of the frame | linux-release | 6.00 × | ≤ 4.00 × | 1.50 | MISSED |",
            "| Whole-window repaint against a copy of the frame | win64 | 4.00 × | ≤ 4.00 × | 1.00 | met |",
            "| Every further table | linux-release | 12.0 MB | ≤ 10.0 MB | 1.20 | MISSED |",
            "| Start-up to the first frame, fresh pages | linux-release | not measured | ≤ 40.0 ms |  | not measured |",
            "| Idle table for a virtual minute, free | linux-release | 0.01 % of a core | ≤ 0.05 % of a core | 0.20 | met |",
            "| One bet notice handled | linux-release | 8.00 µs |  |  |  |",
            "| BM_DecodeEveryPicture | bench_table | linux-release | 2.00 ms |",
            "| BM_StartOneMoreThing | bench_table | linux-release | failed: no table to start |",
        ]:
            self.assertIn(line, printed)
        # A benchmark a figure already shows is not listed again among the others.
        self.assertFalse([line for line in printed if line.startswith("| BM_OneBetNoticeHandled |")])


class Output(unittest.TestCase):
    def test_wine_lines_before_the_document_are_skipped(self):
        text = "0024:fixme:ntdll:call {stub}\n{\n \"benchmarks\": []\n}\n"
        self.assertEqual(report.first_json_document(text), {"benchmarks": []})
        with self.assertRaises(ValueError):
            report.first_json_document("wine: could not load the program {x}\n")

    def test_option_parts_of_a_name_are_dropped_and_arguments_kept(self):
        self.assertEqual(report.plain_name("BM_TableMemory/10/iterations:1"), "BM_TableMemory/10")
        self.assertEqual(report.plain_name("BM_IdleMinuteFree/iterations:1/repeats:5/manual_time"),
                         "BM_IdleMinuteFree")


if __name__ == "__main__":
    unittest.main()

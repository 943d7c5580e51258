// Plugs the engine into the report conversions: the engine's file-open call,
// its two error reporters (which unwind to the command's entry), its output
// folder handling, language, run mode, provisional flag, school title and
// the processing menu's "Word 2000" and blank-paragraph settings.
//
// Invariant: installed at the start of every report run, so the run always
// works through the engine's own calls whatever table was plugged before
// (the command-line converter and the conversion tests plug their own).
#pragma once

void or_plug_engine_report_services();

// Plugs the engine into the report conversions: the engine's file-open call,
// its two error reporters (which unwind to the command's entry), its output
// folder handling, language, run mode, provisional flag and school title.
//
// Invariant: installed once per process, on the first report run; a table a
// test installed before that first run is replaced, one installed after it
// is kept (tests use this to fix the clock).
#pragma once

void or_plug_engine_report_services();

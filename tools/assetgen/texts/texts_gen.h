// The texts part of the generator: the string table (lang/default.lang) from
// assets/lang/english.txt and its translation assets/lang/german.txt, and the wisdom
// quotations (data/wisdoms.ini) from assets/wisdoms/wisdoms.txt. text_source.h reads a
// hand-written source with file and line for every error; string_list.h and quotations.h
// parse and write the two formats.
#pragma once

#include "output.h"

void GenerateLang(Output& out, const Sources& sources);
void GenerateWisdoms(Output& out, const Sources& sources);

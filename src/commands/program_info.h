#pragma once
// The program's one identity: its name, its publisher, its version and where to read about it,
// as every about box, every exe's version information and every package gives them. Plain defines,
// so that the Windows resource scripts take them as well as the code; CMake reads the name, the
// publisher and the version from this file (cmake/program_info.cmake), so that the packages say
// the same.

#define THLD_PRODUCT_NAME "Tallyhold"
#define THLD_MAKER "Brightwick"
// The version in four parts, as Windows' version information holds it: the same number twice.
#define THLD_VERSION_NUMBERS 1, 6, 0, 0
#define THLD_VERSION_TEXT "1.6.0.0"
#define THLD_WEB_ADDRESS "http://www.brightwick.example/"
#define THLD_RIGHTS_NOTICE "Copyright (C) 2002 Brightwick. All rights reserved."

#pragma once
// Who makes the program and where to read about it, as every about box shows it. Plain defines, so
// that the Windows resource script can take them as well as the code.

#define THLD_MAKER "Brightwick"
#define THLD_WEB_ADDRESS "http://www.brightwick.example/"
#define THLD_RIGHTS_NOTICE "Copyright (C) 2002 Brightwick. All rights reserved."

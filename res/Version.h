// The program's version block: version 1.0.0.2, one Japanese string table.
#pragma once

#include "platform/ui/frame/VersionInfo.h"

extern const VERSIONINFODATA g_quindleVersion;

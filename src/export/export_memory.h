#pragma once

#include "export/export_settings.h"
#include "project/setup_ini.h"

namespace sp {

// The export options the editor remembers in setup.ini between runs, section
// "Export": the sheet's options and WebP's quality. A remembered value that is
// out of its range (an edited file) gives way to the default.
void recallExportOptions(const SetupIni& setup, ExportSettings& settings);
void rememberExportOptions(SetupIni& setup, const ExportSettings& settings);

}  // namespace sp

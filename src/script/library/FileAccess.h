// A process-wide switch for the file system object: hosts that run untrusted text with nothing to
// write (the fuzz targets) turn it off, and CreateObject("Scripting.FileSystemObject") is then refused.
#pragma once

namespace tv::script::lib {

void setFileAccessAllowed(bool allowed);
bool fileAccessAllowed();

} // namespace tv::script::lib

#pragma once
// Stored paths look like Windows paths ("DOCUM\FRMK\A.FRM", "C:\KADRY\DAT\"),
// in cp1251. The resolver turns one into a native path (UTF-8 bytes):
//  - "\" is a separator like "/";
//  - a drive prefix ("C:") is the program drive, which is the user's home;
//  - each component that does not exist with its exact name is matched
//    against the folder's entries without regard to letter case (whole code
//    page), so "sim.dbf" finds "SIM.DBF"; a component with no match is kept
//    as written, so paths of files yet to be created resolve too.
#include <string>
#include <string_view>

namespace base {

std::string resolvePath(std::string_view stored);

// The user's home folder, without a trailing separator.
std::string homeFolder();

// Native (UTF-8) file name to the program's cp1251 text and back.
std::string nativeToText(std::string_view native);
std::string textToNative(std::string_view text);

// Ensures a folder path ends with "/" (or is left empty).
std::string withTrailingSeparator(std::string path);

}  // namespace base

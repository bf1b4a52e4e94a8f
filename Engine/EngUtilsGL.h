// OpenGL error reporting for the back end: logs GL errors under the caller's name.
#pragma once

// 1 when GL reports no error (or no context exists); else logs "label : OpenGL error: ..." for
// the first 100 errors of the run and returns 0.
char EngUtilsGL_ErrorCheck(const char *signature, const char *label);
void EngUtilsGL_ResetForTests();

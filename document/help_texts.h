#pragma once

/// The command-line help shown by -help, -? and Help > Command Line Options.
/// Lines end in CR LF.
extern const char* const kCommandLineHelpText;

/// The import-file options help shown by Help > Import Options. Lines end in CR LF.
extern const char* const kImportHelpText;

/// Captions of the two help windows.
extern const char* const kCommandLineHelpCaption;
extern const char* const kImportHelpCaption;

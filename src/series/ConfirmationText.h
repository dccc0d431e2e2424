// The texts a series run shows on the confirmation page: the summary of the
// settings before a run and the texts that end one.
#pragma once

#include <string>

#include "series/SeriesSettings.h"

std::string ConfirmationText(const SeriesSettings& settings);

// Replaces the confirmation text after a complete run; inWizard adds what
// the wizard's BACK and FINISH buttons do.
std::string CompleteText(const std::string& logPath, bool inWizard = true);
// Appended to the complete text when files could not be read and were
// skipped; empty when none was.
std::string SkippedText(size_t count);
// Appended to the confirmation text when the log cannot be opened.
std::string LogNotOpenedText(const std::string& logPath);
// Appended to the confirmation text when writing to the log failed.
std::string LogNotWrittenText(const std::string& logPath);
// Appended to the confirmation text when a run ends with a message.
std::string EndedText(const std::string& message, const std::string& logPath);

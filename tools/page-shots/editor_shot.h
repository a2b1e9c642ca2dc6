#pragma once
#include <string>

// Starts the CSV editor `program` on `file`, saves a picture of its window to
// `picture` and closes it again. Returns whether the picture was written.
bool SaveEditorPicture(const std::string& program, const std::string& file,
                       const std::string& picture);

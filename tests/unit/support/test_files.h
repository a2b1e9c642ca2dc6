#pragma once
#include <string>

// A fresh empty folder under the temporary folder, removed with its content
// when the object goes. Its name is lowercase and never comes back within a
// process: some readers lowercase paths, and Windows caches profile files by
// path.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const;
    // Writes a file of the folder and gives its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

  private:
    std::string path_;
};

// Writes `bytes` to `path`, replacing what is there.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// The whole content of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

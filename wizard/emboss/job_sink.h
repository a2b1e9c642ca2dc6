#pragma once
#include <cstddef>
#include <cstdio>

// Where the embosser bytes of a job go: the spool file in the wizard, a
// memory buffer in tests. Write gives 1 when every byte was taken, else 0.
class JobSink {
  public:
    virtual ~JobSink() = default;
    virtual int Write(const void* pData, size_t cb) = 0;
};

// The spool file, opened by the job driver in binary mode.
class FileJobSink : public JobSink {
  public:
    explicit FileJobSink(FILE* file) : file_(file) {}
    int Write(const void* pData, size_t cb) override;

  private:
    FILE* file_;
};

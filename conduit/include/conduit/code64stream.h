// A caller's byte source and sink for the base64 stream operations. A
// negative count given to Write asks the writer to move back that many bytes.
#pragma once

class CCode64Stream {
public:
    virtual int Read(void *buffer, int count, void *cookie) = 0;
    virtual int Write(const void *buffer, int count, void *cookie) = 0;

protected:
    ~CCode64Stream() = default;
};

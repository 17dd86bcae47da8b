#pragma once

#include <iostream>
#include <sstream>
#include <string>

// Captures what is written to std::cout while it lives.
class CapturaConsola {
public:
    CapturaConsola() : anterior(std::cout.rdbuf(buffer.rdbuf())) {}
    ~CapturaConsola() { std::cout.rdbuf(anterior); }
    CapturaConsola(const CapturaConsola&) = delete;
    CapturaConsola& operator=(const CapturaConsola&) = delete;

    std::string texto() const { return buffer.str(); }

private:
    std::ostringstream buffer;
    std::streambuf* anterior;
};

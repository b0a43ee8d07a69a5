#ifndef HARNESSES_H
#define HARNESSES_H

// The fuzz harnesses. Each takes one input of arbitrary bytes, runs a reader on it, aborts when the reader
// breaks one of its invariants and returns 0 otherwise. libFuzzer calls them through a per-target entry
// point; the replay tests call them on the committed seeds and on every input that once found a fault.

#include <cstddef>
#include <cstdint>

int fuzzRawMembers(const uint8_t *data, size_t size);
int fuzzRawProbe(const uint8_t *data, size_t size);
int fuzzZipExtract(const uint8_t *data, size_t size);
int fuzzUlmxReader(const uint8_t *data, size_t size);
int fuzzDirectorOpen(const uint8_t *data, size_t size);

#endif

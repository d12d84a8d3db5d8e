#pragma once
// The process-wide state of the store and of the layers between it and the platform, as at process
// start; the fixtures of every program that links the store call it around each test.

namespace zembo::test {

void resetStoreLayers();

}  // namespace zembo::test

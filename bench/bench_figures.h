#pragma once
// What every benchmark prints its figures with: medians, and the processor they were taken on.

#include <algorithm>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace thld::bench {

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

// "AMD EPYC, 2 threads": the model name the system gives, and the threads it runs at once.
inline std::string ProcessorText()
{
    std::string model = "unknown processor";
    std::ifstream info("/proc/cpuinfo");
    for (std::string line; std::getline(info, line);)
        if (line.rfind("model name", 0) == 0 && line.find(':') != std::string::npos) {
            model = line.substr(line.find(':') + 2);
            break;
        }
    return model + ", " + std::to_string(std::thread::hardware_concurrency()) + " threads";
}

}  // namespace thld::bench

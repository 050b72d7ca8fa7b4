// The main of every benchmark: views, fonts and pictures need an application
// object, on the offscreen platform so that no display is needed.

#include "kit/pixelbuffer.h"

#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    kit::tuneAllocatorForPictures(); // as the application does
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

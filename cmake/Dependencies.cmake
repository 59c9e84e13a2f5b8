# Finds the libraries the build needs and names the Debian package when one is missing.

function(marrowlink_require found what package)
    if(NOT ${found})
        message(FATAL_ERROR "${what} not found: install the Debian package '${package}' "
                            "(scripts/ensure-deps installs everything).")
    endif()
endfunction()

find_package(Qt6 COMPONENTS Core Gui Widgets Sql QUIET)
marrowlink_require(Qt6Core_FOUND "Qt 6 Core" qt6-base-dev)
marrowlink_require(Qt6Widgets_FOUND "Qt 6 Widgets" qt6-base-dev)
# The library's catalogue also needs Qt's SQLite driver at run time (libqt6sql6-sqlite); without
# it the catalogue reports so and the editor goes on without the library.
marrowlink_require(Qt6Sql_FOUND "Qt 6 SQL" qt6-base-dev)

find_package(PkgConfig QUIET)
marrowlink_require(PKG_CONFIG_FOUND "pkg-config" pkg-config)
pkg_check_modules(RTMIDI QUIET IMPORTED_TARGET rtmidi)
marrowlink_require(RTMIDI_FOUND "RtMidi" librtmidi-dev)
pkg_check_modules(JACK QUIET IMPORTED_TARGET jack)
marrowlink_require(JACK_FOUND "JACK (libjack)" libjack-jackd2-dev)
pkg_check_modules(SNDFILE QUIET IMPORTED_TARGET sndfile)
marrowlink_require(SNDFILE_FOUND "libsndfile" libsndfile1-dev)

find_package(JPEG QUIET)
marrowlink_require(JPEG_FOUND "libjpeg" libjpeg-dev)

if(MARROWLINK_TESTS)
    find_package(GTest QUIET)
    marrowlink_require(GTest_FOUND "GoogleTest" libgtest-dev)
    # Key presses through the window's shortcuts, as the platform delivers them.
    find_package(Qt6 COMPONENTS Test QUIET)
    marrowlink_require(Qt6Test_FOUND "Qt 6 Test" qt6-base-dev)
    include(GoogleTest)
endif()
if(MARROWLINK_BENCHMARKS)
    find_package(benchmark QUIET)
    marrowlink_require(benchmark_FOUND "Google Benchmark" libbenchmark-dev)
endif()

set(CMAKE_AUTOMOC ON)

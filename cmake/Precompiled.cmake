# Nearly every file parses the same Qt and standard headers; each program and test reuses
# one precompiled copy of them instead. A build with -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON
# (the sanitized one) still finds a file that lacks an include it needs.
set(zintor_common_headers
    <algorithm> <functional> <memory> <optional> <string> <vector>
    <QAction> <QApplication> <QCheckBox> <QComboBox> <QCoreApplication> <QDateTime>
    <QDialog> <QDir> <QElapsedTimer> <QFile> <QFileInfo> <QLabel> <QLineEdit> <QList>
    <QLocale> <QMessageBox> <QObject> <QPushButton> <QRadioButton> <QRegularExpression>
    <QSerialPort> <QString> <QStringList> <QTimer> <QWidget>)

# A target's moc outputs are mostly included by its sources, leaving an empty file that
# would spend longer loading the precompiled headers than compiling without them.
function(zintor_skip_moc_precompile target)
    get_target_property(binary ${target} BINARY_DIR)
    set_source_files_properties(${binary}/${target}_autogen/mocs_compilation.cpp
                                TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endfunction()

# Loading the precompiled headers costs more than half of what a typical file takes to
# compile, so a library's files are also compiled a few at a time, together. Only where the
# headers are precompiled: the build without them still finds a file that lacks an include.
function(zintor_compile_together target)
    if(NOT CMAKE_DISABLE_PRECOMPILE_HEADERS)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    endif()
endfunction()

# The product's headers, precompiled with the core library and reused by what links it
# with the same flags.
function(zintor_precompile_core target)
    zintor_compile_together(${target})
    if(target STREQUAL zintor_core)
        target_precompile_headers(zintor_core PRIVATE ${zintor_common_headers})
    else()
        target_precompile_headers(${target} REUSE_FROM zintor_core)
    endif()
    zintor_skip_moc_precompile(${target})
endfunction()

# Test code (tests, their kit, benchmarks) is built for debugging with line tables only: it
# drives the product, which keeps its own optimisation and full debugging data, and compiles
# in about half the time it takes at -O2 -g. A Debug build keeps full debugging data here too.
# QtTest names each target's folders in two macros, which only QFINDTESTDATA reads; without
# them every piece of test code shares one set of precompiled headers.
function(zintor_test_code target)
    target_compile_options(${target} PRIVATE -Og $<$<CONFIG:RelWithDebInfo>:-g1>
                                             -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)
endfunction()

# The tests' headers, QtTest's with the rest, precompiled once with the test kit and reused by
# every test and benchmark.
function(zintor_precompile_tests target)
    if(target STREQUAL zintor_testkit)
        zintor_compile_together(zintor_testkit)
        target_precompile_headers(zintor_testkit PRIVATE ${zintor_common_headers} <QTest>
                                  <QSignalSpy> <QTemporaryDir> <QProcess>)
    else()
        target_precompile_headers(${target} REUSE_FROM zintor_testkit)
    endif()
    zintor_skip_moc_precompile(${target})
endfunction()

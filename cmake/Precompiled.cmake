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

# The product's headers, precompiled with the core library and reused by what links it
# with the same flags.
function(zintor_precompile_core target)
    # Loading the precompiled headers costs more than half of what a typical file takes
    # to compile, so the library's files are also compiled a few at a time, together.
    if(NOT CMAKE_DISABLE_PRECOMPILE_HEADERS)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    endif()
    if(target STREQUAL zintor_core)
        target_precompile_headers(zintor_core PRIVATE ${zintor_common_headers})
    else()
        target_precompile_headers(${target} REUSE_FROM zintor_core)
    endif()
    zintor_skip_moc_precompile(${target})
endfunction()

# The tests' headers, QtTest with the rest. QtTest's headers test macros that name each
# target's folder, so each folder precompiles its own copy: the first target of a folder
# owns it, the others reuse it.
function(zintor_precompile_tests target)
    get_property(owner DIRECTORY PROPERTY zintor_test_headers_owner)
    if(owner)
        target_precompile_headers(${target} REUSE_FROM ${owner})
    else()
        target_precompile_headers(${target} PRIVATE ${zintor_common_headers}
                                  <QtTest> <QTemporaryDir> <QProcess>)
        set_property(DIRECTORY PROPERTY zintor_test_headers_owner ${target})
    endif()
    zintor_skip_moc_precompile(${target})
endfunction()

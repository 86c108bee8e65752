#pragma once

class ExchangeLog;
class QWidget;

// The run's exchange log saved where the operator chooses.
namespace LogFile {

// A file that cannot be written is named with the reason; the log stays as it is.
void save(QWidget& window, const ExchangeLog& log);

} // namespace LogFile

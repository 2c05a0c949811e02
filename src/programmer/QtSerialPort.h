#pragma once
// SerialPort over QSerialPort. On a pseudo-terminal (kavro-sim) the settings a pseudo-terminal has
// no use for (the baud rate, the modem lines) are allowed to fail; on a real port they must apply.

#include "programmer/SerialPort.h"

#include <QSerialPort>

class QtSerialPort : public SerialPort {
public:
    PortOpenResult open(const QString& path) override;
    LineSetupResult configure() override;
    bool isOpen() const override { return port_.isOpen(); }
    using SerialPort::read;
    QByteArray read(int count, int limitMs) override;
    bool hasInput() override;
    bool hungUp() const override { return hungUp_; }
    void write(QByteArrayView bytes) override;
    void clearErrors() override { port_.clearError(); }
    QByteArray purge() override;
    void close() override;
    QString errorText() const override { return error_; }

private:
    QSerialPort port_;
    QString error_;
    bool pseudoTerminal_ = false;
    bool hungUp_ = false;
};

// True for a path that leads (perhaps through symbolic links) to a pseudo-terminal.
bool IsPseudoTerminal(const QString& path);

#pragma once
// In-memory serial ports for tests: a bank of device paths that the link opens
// through the factory. The bank records every frame written (with the port and
// the time), can refuse to open a path, and answers written frames through a
// responder; answers arrive a few milliseconds later on the timer service, as
// they would from a real line.

#include "link/BytePipe.h"
#include "link/FrameCodec.h"

#include <QList>
#include <QSet>
#include <functional>
#include <memory>

class MemoryPortBank;
class Timer;

class MemoryPipe : public BytePipe
{
public:
    explicit MemoryPipe(MemoryPortBank* bank) : m_bank(bank) {}
    ~MemoryPipe() override;

    bool open(const QString& devicePath) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    qint64 write(const QByteArray& bytes) override;
    QString errorString() const override { return m_error; }

    QString path() const { return m_path; }
    // Hands bytes to the link as if they had been read from the line.
    void receive(const QByteArray& bytes) { deliver(bytes); }
    // The device breaks (unplugged, or the other end hung up).
    void breakDown(const QString& reason) { fail(reason); }

private:
    MemoryPortBank* m_bank;
    QString m_path;
    QString m_error;
    bool m_open = false;
};

class MemoryPortBank
{
public:
    struct Sent
    {
        QString path;
        quint32 word = 0;
        qint64 time = 0; // timer-service milliseconds
    };
    // Bytes to send back for a frame written on `path` (empty: no answer).
    using Responder = std::function<QByteArray(const QString& path, quint32 word)>;

    static constexpr int kAnswerDelayMs = 5;

    MemoryPortBank();
    ~MemoryPortBank();

    BytePipeFactory factory();

    void refuse(const QString& devicePath) { m_refused.insert(devicePath); }
    void accept(const QString& devicePath) { m_refused.remove(devicePath); }
    void setResponder(Responder responder) { m_responder = std::move(responder); }
    // How long after a frame its answer arrives (kAnswerDelayMs unless set).
    void setAnswerDelay(int ms) { m_answerDelayMs = ms; }

    // Every good frame written, in order (bytes that are not whole frames are kept in rawWritten).
    const QList<Sent>& sent() const { return m_sent; }
    QList<quint32> sentWords() const;
    QList<quint32> sentWords(const QString& path) const;
    void clearSent() { m_sent.clear(); }
    QByteArray rawWritten() const { return m_raw; }
    // Paths in the order they were opened (refused ones included).
    const QStringList& openAttempts() const { return m_attempts; }
    // The pipe that is open on `path`, or the last opened one when empty.
    MemoryPipe* openPipe(const QString& path = QString()) const;
    // Hands bytes at once to the pipe open on `path` (or the last opened one).
    bool receive(const QByteArray& bytes, const QString& path = QString());

private:
    friend class MemoryPipe;
    bool tryOpen(MemoryPipe* pipe, const QString& path);
    void closed(MemoryPipe* pipe);
    void written(MemoryPipe* pipe, const QByteArray& bytes);
    void flushAnswers();

    struct Answer
    {
        MemoryPipe* pipe;
        QByteArray bytes;
        qint64 due; // timer-service milliseconds
    };

    QSet<QString> m_refused;
    Responder m_responder;
    QList<Sent> m_sent;
    QByteArray m_raw;
    int m_answerDelayMs = kAnswerDelayMs;
    QStringList m_attempts;
    QList<MemoryPipe*> m_open;
    QList<Answer> m_answers;
    std::unique_ptr<Timer> m_answerTimer;
    FrameDecoder m_decoder;
};

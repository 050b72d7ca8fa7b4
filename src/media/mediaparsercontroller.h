#pragma once

// Creates the parsers of every kind of source and keeps those its delegate
// accepts. For each kind it first asks whether to load that kind at all,
// then offers each parser of the kind; the delegate answers with the parser
// to keep (possibly prepared, e.g. with credentials) or with none. Without a
// delegate a parser is kept when it can be used.
//
// Main thread only.

#include "mediaparser.h"

#include <functional>
#include <memory>
#include <vector>

#include <QObject>
#include <QString>

class MediaParserController : public QObject
{
    Q_OBJECT

public:
    class Delegate
    {
    public:
        virtual ~Delegate();
        virtual bool parserControllerShouldLoadParser(MediaParserController& controller,
                                                      const QString& parserClassName,
                                                      const QString& mediaType) = 0;
        virtual std::shared_ptr<MediaParser>
        parserControllerWillLoadParser(MediaParserController& controller,
                                       std::shared_ptr<MediaParser> parser) = 0;
        virtual void parserControllerWillUnloadParser(MediaParserController& controller,
                                                      MediaParser& parser,
                                                      const QString& mediaType) = 0;
    };

    // One kind of source: its class name and media type, and how to make its
    // parsers (none, one, or one per folder or medium).
    struct Registration
    {
        QString className;
        QString mediaType;
        std::function<std::vector<std::shared_ptr<MediaParser>>()> make;
    };

    explicit MediaParserController(std::vector<Registration> registrations = {},
                                   QObject* parent = nullptr);
    ~MediaParserController() override;

    void setDelegate(Delegate* delegate) { m_delegate = delegate; }
    Delegate* delegate() const { return m_delegate; }
    void setRegistrations(std::vector<Registration> registrations);
    const std::vector<Registration>& registrations() const { return m_registrations; }

    // Unloads every parser, then creates and offers them again.
    void loadParsers();
    // Offers one more parser (a folder the person added); true when kept.
    bool addParser(std::shared_ptr<MediaParser> parser);
    // Unloads the parser with `identifier`; false when there is none.
    bool unloadParser(const QString& identifier);

    // Kept parsers in the order of the registrations.
    const std::vector<std::shared_ptr<MediaParser>>& loadedParsers() const { return m_parsers; }
    std::shared_ptr<MediaParser> parser(const QString& identifier) const;

signals:
    void parsersChanged();

private:
    std::shared_ptr<MediaParser> offer(std::shared_ptr<MediaParser> parser);
    void unloadAll();

    std::vector<Registration> m_registrations;
    std::vector<std::shared_ptr<MediaParser>> m_parsers;
    Delegate* m_delegate = nullptr;
};

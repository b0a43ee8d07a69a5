#ifndef DATAFILEHANDLER_ULMX_PATHREADER_H
#define DATAFILEHANDLER_ULMX_PATHREADER_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

// A token-by-token walk over XML text that knows the names of the open elements, for the code that copies
// the service lists a load did not take. Names are taken as written, prefixes and all, as the tree takes
// them: an undeclared prefix must not end a walk early, and a namespace declaration stays an attribute.
// Private to the handler's source files.
class UlmxPathReader {
public:
    explicit UlmxPathReader(const QByteArray &data) : m_reader(data) {
        m_reader.setNamespaceProcessing(false);
    }
    explicit UlmxPathReader(const QString &text) : m_reader(text) { m_reader.setNamespaceProcessing(false); }

    // Reads the next token; false at the end or after an error. A start element's name stays on the path
    // until its end element has been read.
    bool next() {
        if (m_reader.atEnd() || m_reader.hasError())
            return false;
        m_reader.readNext();
        if (m_reader.isStartElement())
            m_path.append(m_reader.qualifiedName().toString());
        else if (m_reader.isEndElement())
            m_path.removeLast();
        return true;
    }

    // Passes over the rest of the start element just read, up to its end element.
    void skipElement() {
        m_reader.skipCurrentElement();
        m_path.removeLast();
    }

    const QXmlStreamReader &token() const { return m_reader; }
    // The names of the open elements, the root first; at a start element its own name is the last.
    const QStringList &path() const { return m_path; }
    // The name of the open element that many levels up from the innermost (0), empty above the root.
    QString name(int levelsUp = 0) const { return m_path.value(m_path.size() - 1 - levelsUp); }

    // Writes the token just read as it is; a start element with the attributes given.
    void copyTo(QXmlStreamWriter &writer) const { copyTo(writer, m_reader.attributes()); }
    void copyTo(QXmlStreamWriter &writer, const QXmlStreamAttributes &attributes) const {
        switch (m_reader.tokenType()) {
        case QXmlStreamReader::StartElement:
            writer.writeStartElement(m_reader.qualifiedName().toString());
            for (const QXmlStreamAttribute &attribute : attributes)
                writer.writeAttribute(attribute.qualifiedName().toString(), attribute.value().toString());
            break;
        case QXmlStreamReader::EndElement:
            writer.writeEndElement();
            break;
        case QXmlStreamReader::Characters:
            writer.writeCharacters(m_reader.text().toString());
            break;
        case QXmlStreamReader::Comment:
            writer.writeComment(m_reader.text().toString());
            break;
        case QXmlStreamReader::ProcessingInstruction:
            writer.writeProcessingInstruction(m_reader.processingInstructionTarget().toString(),
                                              m_reader.processingInstructionData().toString());
            break;
        default:
            break;
        }
    }

private:
    QXmlStreamReader m_reader;
    QStringList m_path;
};

#endif

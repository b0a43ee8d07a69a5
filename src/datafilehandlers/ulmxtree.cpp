#include "datafilehandlers/ulmxtree.h"

#include "core/resultcode.h"

#include <QLatin1StringView>
#include <QXmlStreamReader>

#include <array>
#include <cstring>
#include <vector>

namespace {

struct VocabularyEntry {
    const char *text;
    int name;
};

const VocabularyEntry VOCABULARY[] = {
    {"ULM", UlmxTree::ULM},
    {"ulm_header", UlmxTree::ULM_HEADER},
    {"version", UlmxTree::VERSION},
    {"ulm_body", UlmxTree::ULM_BODY},
    {"satellite_database", UlmxTree::SATELLITE_DATABASE},
    {"satellite", UlmxTree::SATELLITE},
    {"orbital_pos", UlmxTree::ORBITAL_POS},
    {"transponder", UlmxTree::TRANSPONDER},
    {"sat_id_override", UlmxTree::SAT_ID_OVERRIDE},
    {"package_list", UlmxTree::PACKAGE_LIST},
    {"item_loc", UlmxTree::ITEM_LOC},
    {"service_database", UlmxTree::SERVICE_DATABASE},
    {"provider_list", UlmxTree::PROVIDER_LIST},
    {"provider", UlmxTree::PROVIDER},
    {"bouquet_list", UlmxTree::BOUQUET_LIST},
    {"bouquet", UlmxTree::BOUQUET},
    {"service_list", UlmxTree::SERVICE_LIST},
    {"country_code", UlmxTree::COUNTRY_CODE},
    {"analog_service", UlmxTree::ANALOG_SERVICE},
    {"digital_stream", UlmxTree::DIGITAL_STREAM},
    {"terrestrial_delivery", UlmxTree::TERRESTRIAL_DELIVERY},
    {"cable_delivery", UlmxTree::CABLE_DELIVERY},
    {"digital_service", UlmxTree::DIGITAL_SERVICE},
    {"item_link", UlmxTree::ITEM_LINK},
    {"identifier", UlmxTree::IDENTIFIER},
    {"logical_channel", UlmxTree::LOGICAL_CHANNEL},
    {"val", UlmxTree::ATTR_VAL},
    {"id", UlmxTree::ATTR_ID},
    {"name", UlmxTree::ATTR_NAME},
    {"freq", UlmxTree::ATTR_FREQ},
    {"pol", UlmxTree::ATTR_POL},
    {"sr", UlmxTree::ATTR_SR},
    {"mod", UlmxTree::ATTR_MOD},
    {"fec", UlmxTree::ATTR_FEC},
    {"type", UlmxTree::ATTR_TYPE},
    {"rcn", UlmxTree::ATTR_RCN},
    {"sid", UlmxTree::ATTR_SID},
    {"scrambled", UlmxTree::ATTR_SCRAMBLED},
    {"bandwidth", UlmxTree::ATTR_BANDWIDTH},
    {"lcn", UlmxTree::ATTR_LCN},
};

// The vocabulary grouped by length: a look-up compares a name with at most a handful of candidates, however
// many distinct names a hostile file invents.
constexpr int LONGEST_NAME = 24;
using Buckets = std::array<std::vector<const VocabularyEntry *>, LONGEST_NAME + 1>;

const Buckets &buckets() {
    static const Buckets table = [] {
        Buckets result;
        for (const VocabularyEntry &entry : VOCABULARY) {
            const size_t length = qstrlen(entry.text);
            Q_ASSERT_X(length <= LONGEST_NAME, "ulmxtree.cpp", "length <= LONGEST_NAME");
            result[length].push_back(&entry);
        }
        return result;
    }();
    return table;
}

// The XML reader checks every attribute of a tag against all before it, so a tag with a huge number of
// attributes costs quadratic time: a few megabytes of them would stall the program for hours. One linear
// pass finds such tags (and document type declarations) before the reader sees them. Markup is followed just
// well enough to count the attributes of well-formed tags exactly: comments, CDATA sections, processing
// instructions and quoted values are skipped.
bool acceptableMarkup(const QByteArray &data) {
    const char *p = data.constData();
    const char *const end = p + data.size();
    auto startsWith = [&](const char *at, const char *literal) {
        const size_t length = qstrlen(literal);
        return size_t(end - at) >= length && memcmp(at, literal, length) == 0;
    };
    auto skipPast = [&](const char *from, const char *terminator) -> const char * {
        const size_t length = qstrlen(terminator);
        for (const char *q = from; size_t(end - q) >= length; ++q) {
            if (memcmp(q, terminator, length) == 0)
                return q + length;
        }
        return end;
    };
    while (p < end) {
        p = static_cast<const char *>(memchr(p, '<', size_t(end - p)));
        if (!p)
            return true;
        if (startsWith(p, "<!--")) {
            p = skipPast(p + 4, "-->");
        } else if (startsWith(p, "<![CDATA[")) {
            p = skipPast(p + 9, "]]>");
        } else if (startsWith(p, "<?")) {
            p = skipPast(p + 2, "?>");
        } else if (startsWith(p, "<!")) {
            return false; // a document type declaration
        } else {
            int attributes = 0;
            for (++p; p < end && *p != '>'; ++p) {
                if (*p == '"' || *p == '\'') {
                    const char *close = static_cast<const char *>(memchr(p + 1, *p, size_t(end - p - 1)));
                    if (!close)
                        return true; // unterminated: the reader reports it
                    p = close;
                } else if (*p == '=' && ++attributes > UlmxTree::MAX_ATTRIBUTES) {
                    return false;
                }
            }
        }
    }
    return true;
}

} // namespace

int UlmxTree::lookUpName(QStringView text) {
    if (text.size() > LONGEST_NAME)
        return UNKNOWN_NAME;
    for (const VocabularyEntry *entry : buckets()[size_t(text.size())]) {
        if (text == QLatin1StringView(entry->text))
            return entry->name;
    }
    return UNKNOWN_NAME;
}

void UlmxTree::clear() {
    m_nodes = QVector<Node>();
    m_attributes = QVector<Attribute>();
    m_text = QString();
    m_root = NO_NODE;
}

int UlmxTree::appendNode(int name, int parent, QVector<int> &lastChildren) {
    const int index = int(m_nodes.size());
    m_nodes.append(Node{name, parent, NO_NODE, NO_NODE, int(m_attributes.size()), 0});
    if (parent != NO_NODE) {
        int &last = lastChildren.last();
        if (last == NO_NODE)
            m_nodes[parent].firstChild = index;
        else
            m_nodes[last].nextSibling = index;
        last = index;
    }
    return index;
}

int UlmxTree::parse(const QByteArray &data) {
    clear();
    if (data.size() > MAX_DOCUMENT_SIZE || !acceptableMarkup(data))
        return RC_INVALID_FORMAT;

    // Attribute texts never need more UTF-16 units than the file has bytes.
    m_text.reserve(int(data.size() / 2));
    m_nodes.reserve(int(data.size() / 48));

    QXmlStreamReader reader(data);
    // Names are taken as written, prefixes and all: the format has no namespaces, and an undeclared prefix
    // must not turn a readable file into an error.
    reader.setNamespaceProcessing(false);

    QVector<int> open;         // the elements not yet closed, innermost last
    QVector<int> lastChildren; // per open element, its last child so far
    bool ok = true;
    while (ok && !reader.atEnd()) {
        if (m_nodes.size() > MAX_NODES) {
            ok = false;
            break;
        }
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            const int parent = open.isEmpty() ? NO_NODE : open.last();
            const int node = appendNode(lookUpName(reader.qualifiedName()), parent, lastChildren);
            if (parent == NO_NODE)
                m_root = node;
            const QXmlStreamAttributes attributes = reader.attributes();
            for (const QXmlStreamAttribute &attribute : attributes) {
                const int name = lookUpName(attribute.qualifiedName());
                if (name == UNKNOWN_NAME)
                    continue; // nothing ever asks for it
                const QStringView value = attribute.value();
                m_attributes.append(Attribute{name, int(m_text.size()), int(value.size())});
                m_text.append(value);
                ++m_nodes[node].attributeCount;
            }
            open.append(node);
            lastChildren.append(NO_NODE);
            break;
        }
        case QXmlStreamReader::EndElement:
            open.removeLast();
            lastChildren.removeLast();
            break;
        case QXmlStreamReader::Characters:
            // Blank text between elements is layout, not content.
            if (!open.isEmpty() && !reader.isWhitespace())
                appendNode(NOT_AN_ELEMENT, open.last(), lastChildren);
            break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::EntityReference:
            if (!open.isEmpty())
                appendNode(NOT_AN_ELEMENT, open.last(), lastChildren);
            break;
        case QXmlStreamReader::DTD:
            // A channel list never carries one; refusing it keeps entity expansion out of the picture.
            ok = false;
            break;
        case QXmlStreamReader::Invalid:
            ok = false;
            break;
        default:
            break;
        }
    }
    if (!ok || reader.hasError() || m_root == NO_NODE || m_nodes[m_root].name != ULM) {
        clear();
        return RC_INVALID_FORMAT;
    }
    m_nodes.squeeze();
    m_attributes.squeeze();
    m_text.squeeze();
    return RC_SUCCESS;
}

bool UlmxTree::hasAttribute(int node, Name attribute) const {
    const Node &n = m_nodes[node];
    for (int i = n.firstAttribute; i < n.firstAttribute + n.attributeCount; ++i) {
        if (m_attributes[i].name == attribute)
            return true;
    }
    return false;
}

QStringView UlmxTree::attribute(int node, Name attribute) const {
    const Node &n = m_nodes[node];
    for (int i = n.firstAttribute; i < n.firstAttribute + n.attributeCount; ++i) {
        const Attribute &a = m_attributes[i];
        if (a.name == attribute)
            return QStringView(m_text).mid(a.offset, a.length);
    }
    return QStringView();
}

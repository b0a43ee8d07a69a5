#ifndef ULMXTREE_H
#define ULMXTREE_H

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVector>

// A parsed universal channel-list document, kept as compact as the walk over it allows: nodes and attributes
// live in flat arrays linked by index, attribute texts in one shared buffer. Element and attribute names are
// reduced to the vocabulary of the format; every other name reads as UNKNOWN_NAME, which no reader asks for.
// Comments, text and processing instructions are kept as nodes without a name, because a reader that looks
// at "the first child" must see them.
class UlmxTree {
public:
    // Largest file the reader accepts; channel lists are a few megabytes at most.
    static constexpr qint64 MAX_DOCUMENT_SIZE = 64 * 1024 * 1024;
    // Most attributes one element may have; the format's elements have at most six.
    static constexpr int MAX_ATTRIBUTES = 64;
    // Most nodes a document may have. A list of 10,000 channels has about 50,000; the cap keeps a file of
    // nothing but empty elements from taking a gigabyte of memory before it is refused.
    static constexpr int MAX_NODES = 4 * 1000 * 1000;

    // Vocabulary of the format, elements and attributes in one table ("item_loc" is both).
    enum Name : int {
        NOT_AN_ELEMENT = -2,
        UNKNOWN_NAME = -1,
        ULM = 0,
        ULM_HEADER,
        VERSION,
        ULM_BODY,
        SATELLITE_DATABASE,
        SATELLITE,
        ORBITAL_POS,
        TRANSPONDER,
        SAT_ID_OVERRIDE,
        PACKAGE_LIST,
        ITEM_LOC,
        SERVICE_DATABASE,
        PROVIDER_LIST,
        PROVIDER,
        BOUQUET_LIST,
        BOUQUET,
        SERVICE_LIST,
        COUNTRY_CODE,
        ANALOG_SERVICE,
        DIGITAL_STREAM,
        TERRESTRIAL_DELIVERY,
        CABLE_DELIVERY,
        DIGITAL_SERVICE,
        ITEM_LINK,
        IDENTIFIER,
        LOGICAL_CHANNEL,
        ATTR_VAL,
        ATTR_ID,
        ATTR_NAME,
        ATTR_FREQ,
        ATTR_POL,
        ATTR_SR,
        ATTR_MOD,
        ATTR_FEC,
        ATTR_TYPE,
        ATTR_RCN,
        ATTR_SID,
        ATTR_SCRAMBLED,
        ATTR_BANDWIDTH,
        ATTR_LCN,
        NAME_COUNT
    };
    static constexpr int NO_NODE = -1;

    UlmxTree() = default;

    // Parses a whole document. RC_SUCCESS when it is well-formed XML whose root element is "ULM";
    // RC_INVALID_FORMAT otherwise: also for a document type declaration (whose entities are never expanded),
    // more than MAX_DOCUMENT_SIZE bytes, more than MAX_NODES nodes or an element with more than
    // MAX_ATTRIBUTES attributes. On failure the tree is empty.
    int parse(const QByteArray &data);
    void clear();
    bool isEmpty() const { return m_nodes.isEmpty(); }

    int root() const { return m_root; }
    int name(int node) const { return m_nodes[node].name; }
    bool isElement(int node) const { return m_nodes[node].name != NOT_AN_ELEMENT; }
    int parent(int node) const { return m_nodes[node].parent; }
    int firstChild(int node) const { return m_nodes[node].firstChild; }
    int nextSibling(int node) const { return m_nodes[node].nextSibling; }
    bool hasChildren(int node) const { return m_nodes[node].firstChild != NO_NODE; }

    bool hasAttribute(int node, Name attribute) const;
    // The attribute's text with references resolved; empty when the element has no such attribute.
    QStringView attribute(int node, Name attribute) const;

private:
    struct Node {
        int name;
        int parent;
        int firstChild;
        int nextSibling;
        int firstAttribute;
        int attributeCount;
    };
    struct Attribute {
        int name;
        int offset;
        int length;
    };

    static int lookUpName(QStringView text);
    int appendNode(int name, int parent, QVector<int> &lastChildren);

    QVector<Node> m_nodes;
    QVector<Attribute> m_attributes;
    QString m_text;
    int m_root = NO_NODE;
};

#endif

#include "base/ini_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <iterator>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView Trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool SameName(QByteArrayView a, QByteArrayView b)
{
    return qstrnicmp(a.data(), a.size(), b.data(), b.size()) == 0;
}

const QByteArrayView kBom("\xEF\xBB\xBF");

} // namespace

IniFile::LoadResult IniFile::load(const QString &path)
{
    m_sections.clear();
    m_error.clear();
    QFile file(path);
    if (!file.exists())
        return LoadResult::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = file.errorString();
        return LoadResult::Failed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_error = file.errorString();
        return LoadResult::Failed;
    }
    parse(bytes);
    return LoadResult::Read;
}

void IniFile::parse(QByteArrayView bytes)
{
    m_sections.clear();
    // Byte order marks left by an editor are read past and not written back:
    // the file is UTF-8 without one. All of them go, or a second one would
    // lead the next save and that save would differ from this one.
    while (bytes.startsWith(kBom))
        bytes = bytes.sliced(kBom.size());
    const qsizetype firstBreak = bytes.indexOf('\n');
    m_lineEnd = firstBreak > 0 && bytes[firstBreak - 1] == '\r' ? QByteArray("\r\n") : QByteArray("\n");

    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(start, end - start);
        // Every CR before the line break goes with it: one kept at the end of
        // a line would be read back as part of a CR LF line end, and the next
        // save would differ from this one.
        while (line.endsWith('\r'))
            line.chop(1);
        parseLine(line);
        start = end + 1;
    }
}

void IniFile::parseLine(QByteArrayView line)
{
    const QByteArrayView trimmed = Trimmed(line);
    if (trimmed.startsWith('[')) {
        const qsizetype close = trimmed.indexOf(']');
        const QByteArrayView name = close < 0 ? trimmed.sliced(1) : trimmed.sliced(1, close - 1);
        m_sections.push_back(Section { line.toByteArray(), Trimmed(name).toByteArray(), {} });
        return;
    }
    if (m_sections.empty())
        m_sections.push_back(Section {});
    Entry entry { line.toByteArray(), {}, {} };
    const qsizetype equals = line.indexOf('=');
    if (equals > 0 && !trimmed.startsWith(';')) {
        entry.key = Trimmed(line.first(equals)).toByteArray();
        entry.value = Trimmed(line.sliced(equals + 1)).toByteArray();
    }
    m_sections.back().entries.push_back(std::move(entry));
}

QByteArray IniFile::toBytes() const
{
    QByteArray out;
    for (const Section &section : m_sections) {
        if (!section.header.isEmpty())
            out += section.header + m_lineEnd;
        for (const Entry &entry : section.entries)
            out += entry.raw + m_lineEnd;
    }
    return out;
}

bool IniFile::save(const QString &path)
{
    m_error.clear();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return false;
    }
    // The file holds the router password: nobody but its owner reads it,
    // whatever the old file's mode was.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = toBytes();
    // write() only fills the buffer, and commit() does not count a failure
    // to write the buffer out (a full disk): it would rename an empty file
    // over the settings. Flush first, so that failure keeps the old file.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        m_error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

std::optional<QByteArray> IniFile::value(QByteArrayView section, QByteArrayView key) const
{
    const Section *found = findSection(section);
    if (!found)
        return std::nullopt;
    for (const Entry &entry : found->entries) {
        if (!entry.key.isEmpty() && SameName(entry.key, key))
            return entry.value;
    }
    return std::nullopt;
}

bool IniFile::setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    if (value.contains('\n') || value.contains('\r') || value.contains('\0'))
        return false;
    Section *target = findSection(section);
    if (!target) {
        const QByteArray name = section.toByteArray();
        m_sections.push_back(Section { '[' + name + ']', name, {} });
        target = &m_sections.back();
    }
    const QByteArray line = key.toByteArray() + '=' + value.toByteArray();
    std::vector<Entry> &entries = target->entries;
    for (Entry &entry : entries) {
        if (!entry.key.isEmpty() && SameName(entry.key, key)) {
            entry = Entry { entry.key + '=' + value.toByteArray(), entry.key, value.toByteArray() };
            return true;
        }
    }
    // A new key goes right after the section's last value, ahead of any
    // blank lines that separate it from the next section.
    auto at = entries.end();
    while (at != entries.begin() && std::prev(at)->key.isEmpty() && Trimmed(std::prev(at)->raw).isEmpty())
        --at;
    entries.insert(at, Entry { line, key.toByteArray(), value.toByteArray() });
    return true;
}

template<typename Sections> auto *FindSectionIn(Sections &sections, QByteArrayView name)
{
    for (auto &section : sections) {
        if (!section.header.isEmpty() && SameName(section.name, name))
            return &section;
    }
    return static_cast<decltype(&sections.front())>(nullptr);
}

IniFile::Section *IniFile::findSection(QByteArrayView name)
{
    return FindSectionIn(m_sections, name);
}

const IniFile::Section *IniFile::findSection(QByteArrayView name) const
{
    return FindSectionIn(m_sections, name);
}

#pragma once

#include <QString>
#include <vector>

class TXLSFile;
class TCFileStream;
class BiffStream;
class SharedStrings;
class TSheet;
struct TXFRecord;
struct TFontRecord;

// Writes a workbook as the BIFF8 record stream "Workbook" of a compound file.
class TXLSWriter {
public:
    explicit TXLSWriter(TXLSFile &file);

    // Creates the file (replacing any file of that name once all is written) and writes it.
    void Save(const QString &fileName);
    // The record stream alone, padded to a multiple of 512 bytes.
    void WriteTo(TCFileStream &stream);

private:
    void progress(double value);
    void writeGlobals(BiffStream &out, const SharedStrings &strings,
                      std::vector<quint32> &sheetPositionFields);
    void writeSheet(BiffStream &out, const TSheet &sheet, int index,
                    const std::vector<quint32> &cellStrings);
    void writeFont(BiffStream &out, const TFontRecord &font);
    void writeXF(BiffStream &out, const TXFRecord &xf);

    TXLSFile &m_file;
    int m_xfOffset;
    double m_progress = 0;
    double m_progressPerCell = 0;
};

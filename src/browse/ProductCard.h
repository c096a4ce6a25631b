#pragma once

#include <QString>

#include <functional>
#include <optional>

class UserPrompts;
struct CatalogSettings;
struct PriceRow;

// The product card beside the price grid: discounted price, picture and the two buttons. The
// picture itself is loaded and saved by the window (the core has no image library); the card
// decides which file, what is enabled and what is shown.
class ProductCard {
public:
    // What the card needs of the current Price row.
    struct Row {
        QString code;
        double cena = 0;
        double maxDiscount = 0;
        bool isPhoto = false;
    };

    // Loads a picture file into the card's picture control; false when the image stays empty.
    using PictureLoader = std::function<bool(const QString &path)>;
    // Writes the shown picture to a file; false when writing failed.
    using PictureWriter = std::function<bool(const QString &path)>;

    // The picture file of a code: the trimmed code + ".jpg", from the folder of downloaded
    // pictures first, then the picture folder; empty when neither has it.
    static QString findPictureFile(const QString &code, const QString &tempPictureFolder,
                                   const QString &pathPicture);

    // Refreshes the card for the current row (none when the filtered list is empty).
    void refresh(const std::optional<Row> &row, std::optional<double> discountBox,
                 const QString &tempPictureFolder, const QString &pathPicture,
                 const PictureLoader &load);

    // The same with the folders of the settings (TempPictureFolder, then PathPicture).
    void refresh(const std::optional<Row> &row, std::optional<double> discountBox,
                 const CatalogSettings &settings, const PictureLoader &load);
    // The card's row from a price row.
    static Row rowOf(const PriceRow &row);

    // "<Сохранить>": asks for a file name and writes the picture; tells the user on failure.
    void savePicture(UserPrompts &prompts, const PictureWriter &write) const;
    // A click on the picture: true when the enlarged view is to be shown.
    bool pictureClicked() const { return m_showPicture && m_handCursor; }
    // After a reload of the catalog.
    void reset() { m_currentPictureFile.clear(); }

    double discountedPrice() const { return m_discountedPrice; }
    bool getPictureEnabled() const { return m_getPictureEnabled; }
    bool saveEnabled() const { return m_showPicture; }
    // True: the picture control is shown; false: the no-photo image.
    bool showPicture() const { return m_showPicture; }
    bool handCursor() const { return m_handCursor; }
    const QString &currentPictureFile() const { return m_currentPictureFile; }

private:
    QString m_currentPictureFile;
    double m_discountedPrice = 0;
    bool m_getPictureEnabled = false;
    bool m_showPicture = false;
    bool m_handCursor = false;
};

// Items and POPs: the image tools the front end starts as `Items /auto <folder>` and `POPs /auto <folder>`.
//
// The user picks image files in any format Qt reads. Each one is scaled to fit the board's slot (product
// shots 320x240, full-screen ads 640x480, aspect kept) and written into <folder> as a baseline JPEG of
// quality 90 named after the source's base name in lower case, with "_" for each blank:
// "Burger Deluxe.PNG" -> "burger_deluxe.jpg". The board's file system tells case apart, and the front end
// looks for lower-case names; the board's configuration file names POPs and suggestions bare, so a
// blank would split its line.
//
// Tests and scripts: when the environment variable ZR_IMAGE_TOOL_FILES is set, it holds the paths to
// convert, one per line, and no dialog is shown; an empty value acts like a cancelled dialog. Unreadable
// images are then reported on stderr only, since nobody is there to close a message box.
//
// Exit status: 0 done (also when nothing was picked or an image was skipped), 1 a file or the folder
// could not be written, 2 usage error.

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace {

const QString ToolName = QStringLiteral(ZR_TOOL_NAME);
const QSize Slot(ZR_IMAGE_WIDTH, ZR_IMAGE_HEIGHT);

QString openFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << "*." + QString::fromLatin1(format);
    return QObject::tr("Images (%1);;All files (*)").arg(patterns.join(' '));
}

/// JPEG has no alpha; transparent parts become white, as on a product card, rather than black.
QImage fitted(const QImage& source) {
    const QImage scaled = source.scaled(Slot, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage flat(scaled.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, scaled);
    return flat;
}

bool writeJpeg(const QImage& image, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(false); // the board's decoder reads baseline JPEG only
    if (!writer.write(image)) {
        *error = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

void complain(const QString& text) {
    QTextStream(stderr) << ToolName << ": " << text << Qt::endl;
}

} // namespace

int main(int argc, char* argv[]) {
    // Checked before QApplication exists, so the usage line needs no display.
    if (argc != 3 || QString::fromLocal8Bit(argv[1]).compare("/auto", Qt::CaseInsensitive) != 0 ||
        argv[2][0] == '\0') {
        std::fprintf(stderr, "usage: %s /auto <folder>\n", ZR_TOOL_NAME);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(ToolName);
    const QString folder = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();

    const bool scripted = qEnvironmentVariableIsSet("ZR_IMAGE_TOOL_FILES");
    QStringList files;
    if (scripted) {
        files = qEnvironmentVariable("ZR_IMAGE_TOOL_FILES").split('\n', Qt::SkipEmptyParts);
        for (QString& file : files)
            file = file.trimmed(); // a CR left by a script written on Windows
        files.removeAll(QString());
    } else {
        const QString title = ToolName == "POPs" ? QObject::tr("Choose the full-screen ads")
                                                 : QObject::tr("Choose the product shots");
        files = QFileDialog::getOpenFileNames(nullptr, title, QDir::homePath(), openFilter());
    }
    if (files.isEmpty()) return 0;

    if (!QDir().mkpath(folder)) {
        complain(QObject::tr("cannot create the folder %1").arg(QDir::toNativeSeparators(folder)));
        if (!scripted)
            QMessageBox::critical(
                nullptr, ToolName,
                QObject::tr("The folder %1 cannot be created.").arg(QDir::toNativeSeparators(folder)));
        return 1;
    }

    QStringList unreadable;
    QStringList unwritten;
    for (const QString& file : files) {
        QImageReader reader(file);
        reader.setAutoTransform(true); // camera pictures carry their rotation in EXIF
        const QImage image = reader.read();
        if (image.isNull()) {
            complain(QObject::tr("skipped %1: %2").arg(QDir::toNativeSeparators(file), reader.errorString()));
            unreadable << QDir::toNativeSeparators(file);
            continue;
        }
        const QFileInfo info(file);
        const QString base = info.completeBaseName().isEmpty() ? info.fileName() : info.completeBaseName();
        const QString target = folder + '/' + base.toLower().replace(' ', '_') + ".jpg";
        QString error;
        if (!writeJpeg(fitted(image), target, &error)) {
            complain(QObject::tr("cannot write %1: %2").arg(QDir::toNativeSeparators(target), error));
            unwritten << QDir::toNativeSeparators(target);
        }
    }

    if (!scripted && !(unreadable.isEmpty() && unwritten.isEmpty())) {
        QString text;
        if (!unreadable.isEmpty())
            text += QObject::tr("These files are not images that can be read, and were skipped:\n%1\n")
                        .arg(unreadable.join('\n'));
        if (!unwritten.isEmpty())
            text += QObject::tr("These images could not be written:\n%1\n").arg(unwritten.join('\n'));
        QMessageBox::warning(nullptr, ToolName, text.trimmed());
    }
    return unwritten.isEmpty() ? 0 : 1;
}

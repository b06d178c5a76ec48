#include <AVFoundation/AVCaptureMetadataOutput.h>
#include <AVFoundation/AVCaptureSession.h>
#include <CoreImage/BarcodeReader.h>
#include <Foundation/Console.h>
#include <Foundation/DispatchQueue.h>

#include <algorithm>

namespace ios {
namespace {

struct TypeMapping {
  const char* type;
  BarcodeSymbology symbology;
};

// In the order the platform lists them; the reader's symbology behind each.
const TypeMapping kTypes[] = {
    {AVMetadataObjectTypeUPCECode, BarcodeSymbology::upcE},
    {AVMetadataObjectTypeCode39Code, BarcodeSymbology::code39},
    {AVMetadataObjectTypeCode39Mod43Code, BarcodeSymbology::code39},
    {AVMetadataObjectTypeCode93Code, BarcodeSymbology::code93},
    {AVMetadataObjectTypeCode128Code, BarcodeSymbology::code128},
    {AVMetadataObjectTypeEAN8Code, BarcodeSymbology::ean8},
    {AVMetadataObjectTypeEAN13Code, BarcodeSymbology::ean13},
    {AVMetadataObjectTypeAztecCode, BarcodeSymbology::aztec},
    {AVMetadataObjectTypePDF417Code, BarcodeSymbology::pdf417},
    {AVMetadataObjectTypeITF14Code, BarcodeSymbology::itf},
    {AVMetadataObjectTypeDataMatrixCode, BarcodeSymbology::dataMatrix},
    {AVMetadataObjectTypeInterleaved2of5Code, BarcodeSymbology::itf},
    {AVMetadataObjectTypeQRCode, BarcodeSymbology::qr},
};

bool contains(const std::vector<AVMetadataObjectType>& types, const AVMetadataObjectType& type) {
  return std::find(types.begin(), types.end(), type) != types.end();
}

// The platform type a reading is reported as, given what was asked for. Code 39 is reported as
// plain Code 39 when that was asked, else as Code 39 mod 43; an ITF symbol of 14 digits as ITF-14
// when asked, else as Interleaved 2 of 5.
std::optional<AVMetadataObjectType> reportedType(const BarcodeReading& reading,
                                                 const std::vector<AVMetadataObjectType>& asked) {
  std::vector<AVMetadataObjectType> candidates;
  if (reading.symbology == BarcodeSymbology::itf) {
    const bool fourteen = reading.text && reading.text->size() == 14;
    if (fourteen) candidates.push_back(AVMetadataObjectTypeITF14Code);
    candidates.push_back(AVMetadataObjectTypeInterleaved2of5Code);
  } else {
    for (const auto& mapping : kTypes) {
      if (mapping.symbology == reading.symbology) candidates.push_back(mapping.type);
    }
  }
  for (const auto& candidate : candidates) {
    if (contains(asked, candidate)) return candidate;
  }
  return std::nullopt;
}

std::vector<std::shared_ptr<AVMetadataObject>> objectsIn(const CGImage& frame,
                                                         const std::vector<AVMetadataObjectType>& asked) {
  BarcodeReader::Options options;
  options.symbologies = 0;
  for (const auto& mapping : kTypes) {
    if (contains(asked, mapping.type))
      options.symbologies |= static_cast<BarcodeSymbologies>(mapping.symbology);
  }
  // A frame budget allows no extra passes; the next frame is another chance.
  options.tryHarder = false;
  std::vector<std::shared_ptr<AVMetadataObject>> objects;
  const double w = frame.width(), h = frame.height();
  for (const BarcodeReading& reading : BarcodeReader::read(frame, options)) {
    const auto type = reportedType(reading, asked);
    if (!type) continue;
    const CGRect bounds(reading.bounds.minX() / w, reading.bounds.minY() / h, reading.bounds.size.width / w,
                        reading.bounds.size.height / h);
    objects.push_back(std::make_shared<AVMetadataMachineReadableCodeObject>(*type, bounds, reading.text));
  }
  return objects;
}

}  // namespace

std::shared_ptr<AVCaptureMetadataOutput> AVCaptureMetadataOutput::create() {
  return std::make_shared<AVCaptureMetadataOutput>();
}

void AVCaptureMetadataOutput::setMetadataObjectsDelegate(
    std::weak_ptr<AVCaptureMetadataOutputObjectsDelegate> delegate, DispatchQueue* queue) {
  delegate_ = std::move(delegate);
  queue_ = queue;
}

std::vector<AVMetadataObjectType> AVCaptureMetadataOutput::availableMetadataObjectTypes() const {
  std::vector<AVMetadataObjectType> types;
  if (!connection()) return types;
  for (const auto& mapping : kTypes) types.push_back(mapping.type);
  return types;
}

void AVCaptureMetadataOutput::setMetadataObjectTypes(std::vector<AVMetadataObjectType> types) {
  const auto available = availableMetadataObjectTypes();
  for (const auto& type : types) {
    if (!contains(available, type)) {
      fatalError(
          "AVCaptureMetadataOutput: unsupported type found (" + type +
          "); use availableMetadataObjectTypes, after adding the output to a session with a camera input.");
    }
  }
  types_ = std::move(types);
}

void AVCaptureMetadataOutput::captureOutput(const std::shared_ptr<const CGImage>& frame) {
  if (searching_ || types_.empty() || !frame) return;
  searching_ = true;
  auto self = std::static_pointer_cast<AVCaptureMetadataOutput>(shared_from_this());
  std::weak_ptr<AVCaptureMetadataOutput> weak = self;
  DispatchQueue::global().async([weak, frame, types = types_] {
    auto objects = objectsIn(*frame, types);
    DispatchQueue::main().async([weak, objects = std::move(objects)] {
      const auto output = weak.lock();
      if (!output) return;
      output->searching_ = false;
      auto delegate = output->delegate_.lock();
      if (objects.empty() || !delegate) return;
      const auto connection = output->connection();
      DispatchQueue* queue = output->queue_ ? output->queue_ : &DispatchQueue::main();
      if (queue == &DispatchQueue::main()) {
        delegate->metadataOutput(output, objects, connection);
      } else {
        queue->async([delegate, output, objects, connection] {
          delegate->metadataOutput(output, objects, connection);
        });
      }
    });
  });
}

}  // namespace ios

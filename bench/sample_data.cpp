#include "bench/sample_data.h"

#include <string>

#include "base/text_value.h"
#include "recorddb/record_database.h"

namespace bench {
namespace {

using recorddb::kTypeText;

constexpr std::array<Column, kColumnCount> kColumns{{
    {"平台", kTypeText, 10},
    {"域名", kTypeText, 30},
    {"IP", kTypeText, 30},
    {"FTP", kTypeText, 80},
    {"域名续费商", kTypeText, 512},
    {"服务器续费商", kTypeText, 512},
    {"域名到期", kTypeText, 30},
    {"服务器到期", kTypeText, 30},
    {"账号", kTypeText, 30},
    {"密码", kTypeText, 30},
    {"PING", kTypeText, 64},
    {"备注", kTypeText, 100},
}};

constexpr const char* kPlatforms[] = {"阿里云", "腾讯云", "华为云", "西部数码", "AWS", "百度云", "京东云", "Vultr"};
constexpr const char* kSubdomains[] = {"www", "shop", "blog", "mail", "api", "img", "cdn", "pay"};
constexpr const char* kDomainNames[] = {"yanchuan", "gebu", "mysite", "xinhua-tech", "example", "qingshan"};
constexpr const char* kSuffixes[] = {"com", "cn", "net", "com.cn", "org", "top"};
constexpr const char* kFtpUsers[] = {"www", "ftpuser", "admin", "upload"};
constexpr const char* kFtpFolders[] = {"/www/htdocs", "/home/wwwroot/default", "/public_html", "/data/备份"};
constexpr const char* kDomainVendorPhrases[] = {
    "阿里云万网", "https://wanwang.aliyun.com", "腾讯云DNSPod", "西部数码 https://www.west.cn", "账号：yc_admin",
    "自动续费已开启", "续费价格69元/年", "联系人：张先生 13800138000", "请提前一个月续费", "发票已开",
    "实名认证已通过", "转入时间2019年3月", "域名证书已下载", "管理密码在保险柜"};
constexpr const char* kServerVendorPhrases[] = {
    "阿里云ECS 2核4G", "腾讯云轻量应用服务器", "华为云弹性云服务器", "带宽5M 按固定带宽计费", "系统盘40G 数据盘100G",
    "到期自动释放，务必续费", "续费价格1280元/年", "工单联系：李工", "安全组已放行80/443/21", "快照每周日凌晨",
    "https://console.cloud.tencent.com", "机房：华东2（上海）"};
constexpr const char* kAccounts[] = {"admin", "root", "webmaster", "站长小王", "yc_ops", "运维账号"};
constexpr const char* kNotes[] = {"主站", "测试机", "已备案", "备案中", "客户：李女士", "月付", "年付", "勿删",
                                  "迁移中", "等待续费确认", "SSL证书到期另算"};

template <std::size_t N>
const char* pick(const char* const (&choices)[N], Random& random) {
  return choices[random.below(N)];
}

std::string number(std::uint32_t value) { return std::to_string(value); }

std::string date(Random& random, bool chinese) {
  const std::uint32_t year = 2024 + random.below(4), month = 1 + random.below(12), day = 1 + random.below(28);
  if (chinese) return number(year) + "年" + number(month) + "月" + number(day) + "日";
  auto two = [](std::uint32_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
  return number(year) + "-" + two(month) + "-" + two(day);
}

std::string ip(Random& random) {
  return number(1 + random.below(223)) + "." + number(random.below(256)) + "." + number(random.below(256)) + "." +
         number(1 + random.below(254));
}

// Phrases joined by `separator` until the text reaches about `length` bytes.
template <std::size_t N>
std::string phrases(const char* const (&choices)[N], std::size_t length, const char* separator, Random& random) {
  std::string text;
  while (text.size() < length) {
    if (!text.empty()) text += separator;
    text += pick(choices, random);
  }
  return text;
}

std::string password(Random& random) {
  static constexpr char kCharacters[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789!@#%";
  std::string text;
  for (std::uint32_t n = 8 + random.below(9); n > 0; --n) text += kCharacters[random.below(sizeof kCharacters - 1)];
  return text;
}

recorddb::FieldValue textFor(int column, std::string text) {
  return recorddb::FieldValue::text(base::cutToBytes(text, static_cast<std::size_t>(kColumns[column].length)));
}

SampleRecord makeRecord(Random& random) {
  const std::string domain = std::string(pick(kDomainNames, random)) + number(random.below(10000)) + "." +
                             pick(kSuffixes, random);
  const std::string address = ip(random);
  SampleRecord record;
  record[0] = textFor(0, pick(kPlatforms, random));
  record[1] = textFor(1, std::string(pick(kSubdomains, random)) + "." + domain);
  record[2] = textFor(2, address);
  record[3] = textFor(3, std::string("ftp://") + pick(kFtpUsers, random) + "@" + address + ":21" +
                             pick(kFtpFolders, random));
  record[4] = textFor(4, phrases(kDomainVendorPhrases, 40 + random.below(260), "，", random));
  record[5] = textFor(5, phrases(kServerVendorPhrases, 40 + random.below(300), "；", random));
  record[6] = textFor(6, date(random, false));
  record[7] = textFor(7, date(random, true));
  record[8] = textFor(8, std::string(pick(kAccounts, random)) + (random.below(2) ? number(random.below(100)) : ""));
  record[9] = textFor(9, password(random));
  record[10] = recorddb::FieldValue::text(random.below(10) == 0 ? std::string() : pingText(static_cast<std::int32_t>(random.below(800))));
  record[11] = textFor(11, random.below(4) == 0 ? std::string() : phrases(kNotes, random.below(60), "；", random));
  return record;
}

}  // namespace

std::span<const Column, kColumnCount> sampleColumns() { return kColumns; }

std::string pingText(std::int32_t milliseconds) { return number(static_cast<std::uint32_t>(milliseconds)) + " 毫秒(状态码:200)"; }

std::uint64_t Random::next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::vector<SampleRecord> makeRecords(int count, Random& random) {
  std::vector<SampleRecord> records;
  records.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) records.push_back(makeRecord(random));
  return records;
}

std::vector<int> randomIds(int count, int draws, Random& random) {
  std::vector<int> ids;
  ids.reserve(static_cast<std::size_t>(draws));
  for (int i = 0; i < draws; ++i) ids.push_back(1 + static_cast<int>(random.below(static_cast<std::uint32_t>(count))));
  return ids;
}

}  // namespace bench
